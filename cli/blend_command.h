// `qorv chapter blend`: a Chapter whose seed names are drawn from several Chapters in given
// shares, with only the decomposition settings they share (wordlist/chapter_blend.h).
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace qorv {

struct ChapterBlendOptions {
  std::vector<std::string> inputs;  // two Chapter files or more
  std::string weights;              // "70,30"; empty: equal shares
  std::string output;
  std::optional<std::string> options;  // the GENOPT value; unset: the first input's
  std::optional<std::uint64_t> seed;   // unset: drawn afresh, and told on the summary line
  bool force = false;
};

// Adds "blend" to the `chapter` command.
CLI::App* AddBlendCommand(CLI::App& chapter, ChapterBlendOptions& options);

// Returns 0 (the summary line on `out`, or on `err` with "-o -"); 1 when an input cannot be read
// or does not load, or the blend does not load; 2 for weights or options that cannot stand, an
// output that is an input, or an existing output without --force; kExitOutputNotWritten when
// the output is not a regular file or cannot be written. Notes on the settings dropped and the
// shares not filled go to `err`.
int RunBlend(const ChapterBlendOptions& options, std::ostream& out, std::ostream& err);

}  // namespace qorv
