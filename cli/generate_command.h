// `qorv generate`: names from a Chapter, exactly as the desktop generate command makes them.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "chapter/chapter.h"
#include "cli/exit_codes.h"
#include "generator/generation_request.h"
#include "store/store_file.h"

namespace CLI {
class App;
}

namespace qorv {

struct GenerateOptions {
  enum class Encoding { kUtf8, kCp1252 };

  std::string chapter_path;
  int count = 10;
  int level = 0;
  int validation = 0;
  bool structural = false;
  bool statistical = false;
  bool prefixes = false;
  bool suffixes = false;
  char initial = '*';      // Windows-1252
  bool automatic = false;  // take level, validation and switches from the Chapter's GENOPT
  std::optional<std::uint32_t> seed;  // the clock's place at the first attempt
  std::string log_path;               // empty: no log
  Encoding encoding = Encoding::kUtf8;
  bool stats = false;          // report what became of the attempts on stderr
  bool store = false;          // append every name to the Store in the current directory
  bool trailing_line = false;  // with store: a trailing line of underscores after each name
};

inline constexpr const char* kGenerateUsage =
    "qorv generate CHAPTER [-n N] [-g LEVEL] [-v LEVEL] [--structural] [--statistical]\n"
    "                      [--prefixes] [--suffixes] [--auto] [-i LETTER] [--seed S]\n"
    "                      [--log FILE] [--encoding utf-8|cp1252] [--stats]\n"
    "                      [--store [--trailing-line]]";

// Adds the "generate" subcommand to `app`; parsing fills `options`. The initial letter is
// checked and converted when the command line is parsed (a usage error when it is not one
// Windows-1252 character).
CLI::App* AddGenerateCommand(CLI::App& app, GenerateOptions& options);

// The request the options ask for, as the dialog would hand it over; with `automatic`, as its
// "Automatic Options" sets the dialog after `chapter` loads. The request's Chapter is not set.
GenerationRequest MakeRequest(const GenerateOptions& options, const TQorvChapter& chapter);

// Loads the Chapter (CHAPTER "-": standard input) and prints `count` names, one per line. With
// `store`, the run appends to "STORED.txt" in the current directory as a Store page does: one
// dated title line (the Chapter's title, stamped by `store_clock`) before the first name, then
// each name as soon as it is found. Returns the exit status: 0; 1 when the Chapter does not load
// (stderr "qorv: CHAPTER: MESSAGE", and the system's reason when it could not be read; nothing is
// stored); kExitUsage when no name can begin with the initial letter; kExitNoNewName when one
// name takes more than the attempt limit (the names before it stay printed and stored);
// kExitOutputNotWritten when the log cannot be opened (before any name), when the Store cannot
// be written (stderr "qorv: STORED.txt: REASON"; the names printed stay printed) or when a write
// to `out` fails (the run stops; the caller reports it, see OutputFailed).
int RunGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err,
                const StoreClock& store_clock = &LocalStoreDateTime);

}  // namespace qorv
