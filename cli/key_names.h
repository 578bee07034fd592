// Names by key in `qorv generate`: --key KEY, or --keys FILE (one key per line, - for standard
// input), in the world --world-seed S. Each key's name is the library's NameFor: the same
// Chapter, options, world seed and key give the same name on every machine.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "quorvane/lexicon.h"

namespace CLI {
class App;
}

namespace qorv {

struct GenerateOptions;

struct KeyOptions {
  std::optional<std::string> key;  // --key, UTF-8
  std::string keys_path;           // --keys; empty: not given
  std::uint64_t world_seed = 0;    // --world-seed

  bool Any() const { return key.has_value() || !keys_path.empty(); }
};

// Adds the group "Names by key" to the generate command, after its other options: a key run
// refuses the options that make a run of names (-n, --seed, --unique, --log, --store, --stats).
void AddKeyOptions(CLI::App& command, KeyOptions& options);

// The keys of a keys file: one per line, the line end (LF or CR LF) not part of it; a last line
// without its line end is a key too, an empty line the empty key. nullopt when a line is not
// well-formed UTF-8, with its number (from 1) in `bad_line`.
std::optional<std::vector<std::string>> SplitKeys(const std::string& bytes, std::size_t* bad_line);

// The library's options for the command line's, whose texts are Windows-1252 by now (without
// --unique, which no name by key needs).
quorvane::Options LibraryOptions(const GenerateOptions& given);

// The keys of --key, or of the file of --keys (- for standard input); false when they cannot be
// read, told on `err` ("qorv: FILE: REASON", or the line that is not UTF-8).
bool ReadKeys(const KeyOptions& options, std::vector<std::string>& keys, std::ostream& err);

// Loads the Chapter of `options` and prints the name of each key: text, one name per line (an
// empty line for a key without a name); json, {"key":...,"name":...} per line (name null); csv, a
// header row "key,name", then a row per key. Returns the exit status: 0; kExitFailure when the
// Chapter does not load or the keys cannot be read; kExitUsage when the options can make no
// name of the Chapter, or both the Chapter and the keys are standard input; kExitNoNewName when
// a key got no name (the other keys are printed); kExitOutputNotWritten when the file of -o
// cannot be written.
int RunNamesByKey(const GenerateOptions& options, std::ostream& out, std::ostream& err);

}  // namespace qorv
