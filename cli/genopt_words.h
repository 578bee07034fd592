// The check of a GENOPT value given on the command line: every word must be one of its keywords.
#pragma once

#include <string>

namespace qorv {

// Why `value` cannot stand as a GENOPT value of ours ("unknown keyword ..."), empty when it can.
// The loader would silently ignore a misspelt keyword, so any case of a keyword is taken and
// nothing else.
std::string GenOptWordsProblem(const std::string& value);

}  // namespace qorv
