// The Chapter a command line names, read once: its bytes serve the Chapter list's estimate, the
// load and the warnings alike, so that a pipe is read to its end exactly once.
#pragma once

#include <ostream>
#include <string>

#include "chapter/chapter.h"
#include "io/file_bytes.h"

namespace qorv {

// The CHAPTER argument that stands for standard input.
inline constexpr const char* kStandardInputArgument = "-";

struct ChapterInput {
  std::string Name;           // how messages name it: the path as given, or "standard input"
  std::string Argument;       // the path as given ("-" for standard input)
  FileBytes File;             // the file up to one byte past a Chapter's limit, or what was read
                              // before the read failed
  int ExpectedNameCount = 1;  // the Chapter list's estimate from the same bytes
};

// Reads `path` ("-": standard input), however it is given: a file, a pipe, /dev/stdin, to its
// end or to one byte past the largest Chapter.
ChapterInput ReadChapterInput(const std::string& path);

// The load's failure on `err`: "qorv: NAME: MESSAGE", then, when the file could not be read,
// the system's reason as "qorv: NAME: REASON", or, when the bytes look like text that was never
// converted into a Chapter, "qorv: " and the conversion hint.
void WriteLoadFailure(std::ostream& err, const ChapterInput& input, const TQorvChapter& chapter);

}  // namespace qorv
