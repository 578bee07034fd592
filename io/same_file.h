// Whether two paths name the same file: the same path, or the same file through a link or a
// hard link (the same device and inode). A file that does not exist yet is compared by where it
// would be created: its folder, resolved, and its name, after any link to nothing is followed.
//
// Standard library and POSIX; safe from any thread.
#pragma once

#include <string>

namespace qorv {

bool SameFile(const std::string& a, const std::string& b);

}  // namespace qorv
