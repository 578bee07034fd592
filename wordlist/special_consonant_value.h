// The SPCCON value for what a user writes on the command line: the tag's own form "<TH><NG>", or
// the plain "TH,NG" or "TH NG", which becomes "<TH> <NG>". Standard library only.
#pragma once

#include <string>
#include <string_view>

namespace qorv {

// `given` in Windows-1252. Plain entries are upper-cased as the loader upper-cases the names
// they are to match; the word SOFT stays the keyword in both forms. Returns why `given` cannot be
// a list of special consonants (empty when it can) and sets `value` when it can.
std::string SpecialConsonantValue(std::string_view given, std::string& value);

}  // namespace qorv
