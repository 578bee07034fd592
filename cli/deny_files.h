// The deny files of `qorv generate --deny`: each FILE read whole into one DenyList, and the word
// "default" standing for the starter list that ships with the sample Chapters.
#pragma once

#include <string>
#include <vector>

#include "deny/deny_list.h"
#include "io/result.h"

namespace qorv {

// The --deny argument that stands for the starter list ("./default" names a file of that name).
inline constexpr const char* kDefaultDenyArgument = "default";
inline constexpr const char* kDenyFileName = "deny.txt";

// The starter list: deny.txt beside the installed sample Chapters (share/quorvane/chapters seen
// from the program's folder), or else the one in the source tree the program was built from.
std::string DefaultDenyFile();

// The path a --deny argument reads.
std::string DenyFilePath(const std::string& argument);

// The words of every file in turn; fails with "PATH: " and the reason (UTF-8) at the first file
// that cannot be read or holds a line that is not a word.
Result<DenyList> ReadDenyFiles(const std::vector<std::string>& arguments);

}  // namespace qorv
