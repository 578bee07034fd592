// Writing a Chapter that the `qorv chapter` commands made: to a file, written whole, or to
// standard output, then loaded once more as `qorv inspect` would load it.
#pragma once

#include <iosfwd>
#include <string>

namespace qorv {

// "qorv: OUTPUT: already exists; --force replaces it"; returns the usage exit status.
int ReportExisting(const std::string& output, std::ostream& err);

// "standard output" for "-", else the path.
std::string OutputLabel(const std::string& output);

// Writes `text` (to `out` for "-o -") and loads what was written; a file that does not load is
// removed again and the load's warnings go to `err`. Returns 0 or the exit status.
int WriteChapter(const std::string& output, const std::string& text, bool force, std::ostream& out,
                 std::ostream& err);

// The local date as "YYYY-MM-DD", for a new Chapter's date line.
std::string Today();

// The summary line goes to standard output, unless the Chapter itself went there.
std::ostream& SummaryStream(const std::string& output, std::ostream& out, std::ostream& err);

}  // namespace qorv
