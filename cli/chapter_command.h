// `qorv chapter new` makes a Chapter file from a plain word list; `qorv chapter convert` turns a
// Chapter written in UTF-8 and/or with LF line ends into the Windows-1252, CR LF file the program
// reads. Both write only a file that the loader has loaded.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "cli/blend_command.h"
#include "cli/check_command.h"
#include "cli/exit_codes.h"
#include "wordlist/name_picking.h"
#include "wordlist/text_input.h"

namespace CLI {
class App;
}

namespace qorv {

struct ChapterNewOptions {
  std::string word_list;  // "-": standard input
  std::string output;
  // UTF-8 as given; unset: the defaults (the title from the file name in title case).
  std::optional<std::string> title;
  std::optional<std::string> line1;
  std::optional<std::string> line2;
  std::optional<std::string> date;
  std::optional<std::string> options;  // the GENOPT value as written; unset: DefaultGenOpt
  std::string special_consonants;      // "<TH><NG>", or the plain "TH,NG" / "TH NG"
  bool soft = false;
  bool multi = false;
  bool y_semi = false;
  bool y_consonant = false;
  bool u_semi = false;
  bool join_words = false;
  bool force = false;
  InputEncoding input_encoding = InputEncoding::kPerLine;
  bool quiet = false;  // no notes on the list's lines
  PickMode pick = PickMode::kFirst;
  std::optional<std::uint64_t> seed;  // for --pick random; unset: drawn afresh
};

struct ChapterConvertOptions {
  std::string input;  // "-": standard input
  std::string output;
  bool force = false;
};

struct ChapterOptions {
  ChapterNewOptions create;
  ChapterConvertOptions convert;
  ChapterBlendOptions blend;
  ChapterCheckOptions check;
  const CLI::App* new_command = nullptr;
  const CLI::App* convert_command = nullptr;
  const CLI::App* blend_command = nullptr;
  const CLI::App* check_command = nullptr;
};

// Adds "chapter" with its subcommands "new", "convert", "blend" and "check" to `app`; parsing fills
// `options`.
CLI::App* AddChapterCommand(CLI::App& app, ChapterOptions& options);

// Runs the subcommand that was parsed, reading "-" from `in`. Returns 0 (a one-line summary on
// `out`; with the output "-", the Chapter on `out` and the summary on `err`); 1 when the input
// cannot be read or is not usable text, nothing usable is left, or the result does not load; 2
// for a value the command line gives that a Chapter cannot hold, an existing output without
// --force, or an output that is the input; kExitOutputNotWritten when the output is not a
// regular file or cannot be written. The notes on what was skipped, merged, reduced or left out
// go to `err`.
int RunChapter(const ChapterOptions& options, std::istream& in, std::ostream& out,
               std::ostream& err);

}  // namespace qorv
