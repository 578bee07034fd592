// The `qorv` command line: its subcommands, its usage errors and its exit codes.
#pragma once

#include <istream>
#include <ostream>

#include "cli/exit_codes.h"

namespace qorv {

// Parses the arguments (argv[0] is the program) and runs the chosen subcommand, writing to
// `out` and `err` instead of the standard streams.
int RunQorv(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
// The same, reading standard input (a "-" file) from `in`.
int RunQorv(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err);

}  // namespace qorv
