// `qorv generate`: names from a Chapter, exactly as the desktop generate command makes them, with
// filters and output forms on top.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "chapter/chapter.h"
#include "cli/compose_options.h"
#include "cli/exit_codes.h"
#include "cli/key_names.h"
#include "cli/name_writer.h"
#include "generator/generation_request.h"
#include "generator/name_filters.h"
#include "store/store_file.h"

namespace CLI {
class App;
}

namespace qorv {

struct GenerateOptions {
  enum class Encoding { kUtf8, kCp1252 };

  std::string chapter_path;
  std::uint32_t count = 10;
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
  NameFilterOptions filters;
  NameFormat format = NameFormat::kText;
  std::string output_path;  // empty: standard output
  Encoding encoding = Encoding::kUtf8;
  bool stats = false;               // report what became of the attempts on stderr
  bool store = false;               // append every name to the Store in the current directory
  bool trailing_line = false;       // with store: a trailing line of underscores after each name
  KeyOptions keys;                  // --key or --keys: the names of keys instead of a run of names
  bool sort_by_typicality = false;  // --sort typicality: the run's names, most typical first
  ComposeOptions compose;           // --part and --template: whole names of several Chapters
  bool explain = false;             // tell how each name came out (NameExplanation)
  std::vector<std::string> deny_files;  // --deny: files of words no name may hold ("default")
};

// Adds the "generate" subcommand to `app`; parsing fills `options`. Letters and texts are
// checked and converted to Windows-1252 when the command line is parsed (a usage error when
// Windows-1252 cannot hold them).
CLI::App* AddGenerateCommand(CLI::App& app, GenerateOptions& options);

// The request the options ask for, as the dialog would hand it over; with `automatic`, as its
// "Automatic Options" sets the dialog after `chapter` loads. The request's Chapter is not set.
GenerationRequest MakeRequest(const GenerateOptions& options, const TQorvChapter& chapter);

// A run of whole names (IsComposedRun) is RunComposed's (cli/composed_run.h). Otherwise:
// loads the Chapter (CHAPTER "-": standard input) and prints `count` names that pass the
// filters, in the chosen form, to `out`, or to the output file ("-": `out`), which replaces the
// old file only when the run ends with 0 or kExitNoNewName (NameOutput). With `store`, the run
// appends to "STORED.txt" in the current directory as a Store page does: one dated title line
// (the Chapter's title, stamped by `store_clock`) before the first name, then each printed name
// as soon as it is found. A name the filters refuse leaves the history ring as it was, so no name
// repeats within 100 printed names. Returns the exit status:
//   0;
//   kExitFailure when the Chapter does not load (stderr "qorv: CHAPTER: MESSAGE", and the
//     system's reason when it could not be read; nothing is stored);
//   kExitUsage when two of the Chapter, the log, the output file and (with `store`) the Store's
//     files are the same file, before anything is read or written; when the filters refuse
//     every name: texts a name must hold that hold an --exclude text (told before the Chapter is
//     read), or an initial letter or a length the Chapter cannot make (stderr one line for each);
//   kExitNoNewName when one name takes more than the attempt limit, counted across the names
//     the filters refuse (the names before it stay printed and stored);
//   kExitOutputNotWritten when the log or the output file is not a regular file (before
//     anything is read or written), when the log cannot be opened (before any name), when the
//     Store or the output file cannot be written (stderr "qorv: FILE: REASON"; the names printed
//     stay printed), or when a write to `out` fails (the run stops; the caller reports it, see
//     OutputFailed).
int RunGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err,
                const StoreClock& store_clock = &LocalStoreDateTime);

}  // namespace qorv
