// A name with case and accents folded away, for finding seed names that are the same name
// written twice: upper case, then each accented letter of Windows-1252 as its base letter
// (Á as A, Ñ as N, Ø as O, Š as S, ...; Æ, Œ, Ð, Þ and ß stay as they are).
#pragma once

#include <string>
#include <string_view>

namespace qorv {

std::string FoldedName(std::string_view cp1252);

}  // namespace qorv
