// The `qorv` command line: its subcommands, its usage errors and its exit codes.
#pragma once

#include <istream>
#include <ostream>

namespace qorv {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the command ran and failed, e.g. a Chapter did not load
inline constexpr int kExitUsage = 2;    // the command line itself is wrong

// Parses the arguments (argv[0] is the program) and runs the chosen subcommand, writing to
// `out` and `err` instead of the standard streams.
int RunQorv(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
// The same, reading standard input (a "-" file) from `in`.
int RunQorv(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err);

}  // namespace qorv
