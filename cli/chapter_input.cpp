#include "cli/chapter_input.h"

#include <unistd.h>

#include <cstring>

#include "chapter/chapter_file.h"
#include "chapter/chapter_title.h"
#include "session/conversion_hint.h"
#include "text/encoding.h"

namespace qorv {

ChapterInput ReadChapterInput(const std::string& path) {
  ChapterInput input;
  const bool standard_input = path == kStandardInputArgument;
  input.Name = standard_input ? "standard input" : path;
  input.Argument = path;
  // Never more than one byte past the largest Chapter, whatever the input is (/dev/zero, a FIFO
  // that never ends): the load then refuses it as too large.
  input.File = standard_input ? ReadChapterDescriptor(STDIN_FILENO) : ReadChapterFile(path);
  // A file that cannot be read is refused by the load itself, as the desktop program does.
  input.ExpectedNameCount = input.File.Error != 0 ? 1 : EstimateNameCountInText(input.File.Bytes);
  return input;
}

void WriteLoadFailure(std::ostream& err, const ChapterInput& input, const TQorvChapter& chapter) {
  err << "qorv: " << input.Name << ": " << Cp1252ToUtf8(chapter.Message) << "\n";
  if (input.File.Error != 0) {
    err << "qorv: " << input.Name << ": " << std::strerror(input.File.Error) << "\n";
  } else if (LooksLikeUnconvertedText(input.File.Bytes)) {
    err << "qorv: " << ConversionHint(input.Name, input.Argument) << "\n";
  }
}

}  // namespace qorv
