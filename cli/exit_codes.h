// The exit codes of `qorv`, each defined once; the README lists them for users.
#pragma once

namespace qorv {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;    // the command ran and failed, e.g. a Chapter did not load
inline constexpr int kExitUsage = 2;      // the command line itself is wrong
inline constexpr int kExitNoNewName = 3;  // generate: one name took more than the attempt limit
// An output file could not be written: the Store, the log, standard output.
inline constexpr int kExitOutputNotWritten = 4;

}  // namespace qorv
