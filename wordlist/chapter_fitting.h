// Fitting seed names into the limits of one Chapter file, with the core's own rules: each name is
// coded and cut into elements exactly as the loader does it under the header's SPCCON, SPCVOW and
// GENOPT values, names are taken in input order while the element tables, the name count and the
// file size allow, and the text is then loaded by the loader itself. Standard library only.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/result.h"
#include "wordlist/chapter_text.h"

namespace qorv {

enum class LeftOutReason {
  kTooManyElements,     // more than 31 elements
  kSingleElement,       // a seed name needs two elements at least
  kVowelTableFull,      // it would bring the distinct vowel elements past 255
  kConsonantTableFull,  // the same for the consonant elements
  kTooManyNames,        // 1000 names were already taken
  kFileTooLarge,        // the file would grow past 32768 bytes
};

struct LeftOutName {
  std::size_t Index = 0;  // into the names given
  LeftOutReason Reason = LeftOutReason::kTooManyNames;
};

struct FittedChapter {
  Result<void> Load;                 // the text loads, or the loader's message for the names kept
  std::string Text;                  // the Chapter file for the kept names
  std::vector<std::size_t> Kept;     // indices into the names given, in input order
  std::vector<LeftOutName> LeftOut;  // in input order
};

// Takes names one by one, in input order, while every limit that depends on the names alone still
// holds (element counts, the element tables, 1000 names); a later name with only known elements
// is still taken after an earlier one was left out. Holds one statistics block (several
// megabytes) and the names taken, nothing of the names refused.
class NameChooser {
 public:
  explicit NameChooser(const ChapterHeader& header);
  ~NameChooser();
  NameChooser(const NameChooser&) = delete;
  NameChooser& operator=(const NameChooser&) = delete;

  // nullopt when the name is taken, else why it is left out. `name` as for FitChapter. Once 1000
  // names are taken, every further name is left out for that without being cut.
  std::optional<LeftOutReason> Offer(const std::string& name);

  bool Full() const;
  std::size_t TakenCount() const;

  // The file for the names taken, the most leading ones that fit the file size, loaded once by
  // the loader. `Kept` and `LeftOut` count the names taken (0 = the first name taken).
  FittedChapter Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// `names` in Windows-1252, each made only of Chapter letters (LetterMapper::MapName) and distinct
// once upper-cased. The header's option values must parse (a special consonant the loader refuses
// leaves every name unloadable). Builds one statistics block (several megabytes) for the run.
FittedChapter FitChapter(const ChapterHeader& header, const std::vector<std::string>& names);

}  // namespace qorv
