// The Quorvane Lexicon as a library: Chapters loaded once and shared, names invented from them.
//
//   #include <quorvane/lexicon.h>
//   auto loaded = quorvane::Lexicon::LoadFile("elder_folk.qrv");
//   if (!loaded) { std::cerr << loaded.error().message << '\n'; return 1; }
//   const quorvane::Lexicon& lexicon = *loaded;
//   quorvane::Options options;
//   options.level = 2;
//   quorvane::Generator generator(lexicon, options, /*seed=*/42);
//   std::optional<std::string> name = generator.Next();
//
// Text: every string the library takes or gives is UTF-8. A Chapter holds Windows-1252 letters;
// the library converts at its edge, so a name, a title or a message is always valid UTF-8.
//
// Ownership and threads:
// - A Lexicon is an immutable loaded Chapter. Copies are cheap and share one loaded Chapter and
//   its statistics (several megabytes) by reference count; the shared data lives until the last
//   Lexicon or Generator that uses it is gone. Any number of threads may read one Lexicon, and
//   make Generators from it, at the same time without locking.
// - A Generator is the state of one stream of names: its random source, its current request and
//   the ring of its last 100 names. It is not thread-safe: use one Generator per thread (or lock
//   around one). It keeps its Lexicon's data alive.
// - Failures are values (quorvane::Result); nothing throws out of the library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/result.h"

namespace quorvane {

namespace detail {
struct LoadedChapter;
struct GeneratorState;
}  // namespace detail

// What a Chapter's GENOPT suggests and how it writes names; the switches as the file has them.
struct ChapterOptions {
  bool structural = false;   // STRUCTGEN
  bool statistical = false;  // STATGEN
  bool shuffle = false;      // SHUFFLE
  bool prefixes = false;     // PREFIX
  bool suffixes = false;     // SUFFIX
  int level = 0;             // FIT:, as read (may lie outside 0..3; 0 when absent)
  int validation = 0;        // VAL:, as read (may lie outside 0..2; 0 when absent)
  int punct_mode = 0;        // 0, PUNCT:1 or PUNCT:2
  int y_mode = 0;            // 0, 1 (Y:CON) or 2 (Y:SEMI)
  int u_mode = 0;            // 0 or 2 (U:SEMI)
};

// The header of a Chapter made from names (Lexicon::FromNames), as `qorv chapter new` takes it.
struct ChapterDetails {
  std::string title = "Word List";
  std::string line1 = "Made from a word list";
  std::string line2;
  std::string date;                // any text; empty is allowed
  std::string options;             // the GENOPT value, e.g. "STRUCTGEN FIT:2 Y:SEMI"
  std::string special_consonants;  // the SPCCON value, e.g. "<SH><TH> SOFT"
  bool multi = false;              // SPCVOW MULTI: three-character vowels
  bool join_words = false;         // a name of several words joins them with hyphens
};

// What became of one name given to Lexicon::FromNames that is not in the Chapter.
struct NameNote {
  enum class Kind {
    kSkipped,    // the name cannot be written in a Chapter (see text)
    kMerged,     // it repeats an earlier name once upper-cased
    kLeftOut,    // it would break the Chapter's limits (see text)
    kRewritten,  // it is in the Chapter, with some characters reduced (see text)
  };
  std::size_t index = 0;  // into the names given
  Kind kind = Kind::kSkipped;
  std::string text;  // what happened, for the user
};

class Lexicon {
 public:
  // Reads and loads a Chapter file (".qrv", Windows-1252). The error holds the loader's message
  // ("Couldn't open file", "Invalid or missing TITLE tag", ...).
  static Result<Lexicon> LoadFile(const std::string& path);
  // Loads a Chapter file's bytes, as if read from a file.
  static Result<Lexicon> Load(std::string_view bytes);
  // A Chapter made of seed names in UTF-8, one name each, as `qorv chapter new` makes it from a
  // word list: the same letter mapping, merging of repeats and fitting into the Chapter's limits.
  // What became of each name that is not kept as given is in Notes(). The error says why no
  // Chapter could be made (a header value that a Chapter cannot hold, no name left, ...).
  static Result<Lexicon> FromNames(const std::vector<std::string>& names,
                                   const ChapterDetails& details = {});

  // What `qorv inspect` shows of the load.
  std::string Title() const;
  std::string Line1() const;
  std::string Line2() const;
  std::string Date() const;
  int NameCount() const;
  int VowelElementCount() const;
  int ConsonantElementCount() const;
  int MaxElementsPerName() const;
  ChapterOptions Options() const;
  // The seed names as the loader keeps them (upper-cased), in file order.
  std::vector<std::string> SeedNames() const;
  // The seed names' distinct first letters, in order of first appearance.
  std::vector<std::string> InitialLetters() const;
  // The letters a generated name can begin with (the letters Options::initial accepts).
  std::vector<std::string> PossibleInitialLetters() const;
  // The Chapter file's text (UTF-8), as a file it was loaded from or made as.
  std::string Text() const;
  // FromNames only: the names not kept as given, in order of the names given.
  const std::vector<NameNote>& Notes() const;

 private:
  friend class Generator;
  friend Result<void> CheckOptions(const Lexicon& lexicon, const struct Options& options);
  friend Result<struct NameScore> Score(const Lexicon& lexicon, std::string_view name);
  explicit Lexicon(std::shared_ptr<const detail::LoadedChapter> chapter);

  std::shared_ptr<const detail::LoadedChapter> chapter_;
};

// How names are made and which of them are kept: the options of `qorv generate`.
struct Options {
  int level = 0;             // generation level 0..3
  int validation = 0;        // validation level 0..2
  bool structural = false;   // keep to a seed name's lengths
  bool statistical = false;  // choose elements by frequency
  bool prefixes = false;     // begin like a seed name (initial pair)
  bool suffixes = false;     // end like a seed name (final pair)
  // The level, validation and four switches from the Chapter's GENOPT instead of the fields
  // above (which must then keep their defaults).
  bool automatic = false;
  std::string initial;  // the first letter of every name; "" (or "*"): any letter

  // Filters on the finished names, case-insensitive; a refused name does not count.
  bool unique = false;                      // no name twice from one Generator
  bool novel = false;                       // no name equal to a seed name
  std::optional<std::uint32_t> min_length;  // letters; apostrophes and hyphens not counted
  std::optional<std::uint32_t> max_length;
  std::string starts_with;  // its first letter also acts as `initial`
  std::string ends_with;
  std::string contains;
  std::vector<std::string> exclude;  // names that hold none of these texts
};

// Whether `options` can make names from `lexicon`: the error says what is wrong, in the words of
// `qorv generate` ("no name can begin with Q; initial letters: ABD", ...).
Result<void> CheckOptions(const Lexicon& lexicon, const Options& options);

// A stream of names. Seeded alike, with the same options, it gives exactly the names that
// `qorv generate --seed SEED` prints.
class Generator {
 public:
  // Options that fail CheckOptions make a Generator whose Next() gives nothing.
  Generator(const Lexicon& lexicon, const Options& options, std::uint32_t seed);
  ~Generator();
  // A Generator moved from may only be assigned to or destroyed.
  Generator(Generator&&) noexcept;
  Generator& operator=(Generator&&) noexcept;
  Generator(const Generator&) = delete;
  Generator& operator=(const Generator&) = delete;

  // The next name that passes the filters; nullopt when none was found within 20000 attempts
  // (counted across the names the filters refuse) or the options are not usable. The Generator
  // stays usable after a nullopt.
  std::optional<std::string> Next();

  const Lexicon& lexicon() const { return lexicon_; }

 private:
  Lexicon lexicon_;
  std::unique_ptr<detail::GeneratorState> state_;
};

// How typical a name is of a Lexicon's seed names, so that a game can rank candidate names.
//   bits_per_letter  the name's typicality: the mean over its letters and its end of
//                    -log2((c(u v w) + 1) / (c(u v) + A)), where w is the letter (or the end),
//                    u v the two before it (the start marked twice), c counts the same among the
//                    seed names' letters, and A is the number of different letters (and the end)
//                    the seeds hold: an order-2 letter model, add-one smoothed. Lower is more
//                    typical; names are compared upper-cased.
//   typical_bar      the bits nine seeds in ten stay within under the same model (the seeds'
//                    10th percentile of typicality); `typical` is
//                    bits_per_letter <= typical_bar: what `qorv generate --typical` keeps.
//   nearest_seed     the seed name (as generated names are written) fewest single-letter
//                    insertions, deletions and substitutions away, and that edit_distance.
// The first call on a Lexicon makes its model (shared by its copies); any thread may call it.
struct NameScore {
  double bits_per_letter = 0;
  double typical_bar = 0;
  bool typical = false;
  std::string nearest_seed;  // UTF-8
  int edit_distance = 0;
};

// The error says when Windows-1252, the letters of a Chapter, cannot hold `name` (UTF-8).
Result<NameScore> Score(const Lexicon& lexicon, std::string_view name);

// The name an entity keyed `key` has in the world `world_seed`: the same on every call, every
// thread and every run, for the same Chapter, options and key. Empty when no name can be made.
std::string NameFor(const Lexicon& lexicon, const Options& options, std::uint64_t world_seed,
                    std::string_view key);

}  // namespace quorvane
