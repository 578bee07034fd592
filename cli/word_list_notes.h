// What `qorv chapter new` says about the lines of its word list: one note per line that was read
// in another encoding, written with other letters, skipped, merged or left out, written to the
// error stream as it is found. At most kNotesOfAKind notes of each kind are written; the count
// of the others follows at the end. A line is quoted to at most kQuotedCharacters characters.
#pragma once

#include <array>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "wordlist/chapter_from_list.h"

namespace qorv {

inline constexpr std::size_t kNotesOfAKind = 20;
inline constexpr std::size_t kQuotedCharacters = 80;

// The text in double quotes, cut after kQuotedCharacters characters ("...").
std::string QuotedLine(std::string_view utf8);

// "\"é\" (U+00E9)"; a control character is shown by its code point alone.
std::string CharacterLabel(char32_t c);

class WordListNotes : public ListObserver {
 public:
  // `quiet`: no notes at all.
  WordListNotes(std::string label, std::ostream& err, bool quiet);

  void Read(const WordListEntry& entry) override;
  void Merged(const WordListEntry& entry) override;
  void LeftOut(const WordListEntry& name, LeftOutReason reason) override;
  void LeftOutFrom(std::size_t count, const WordListEntry& first, LeftOutReason reason) override;
  void NotPicked(std::size_t count, PickMode mode) override;

  // The counts of the notes not written.
  void Finish();

 private:
  enum Kind { kEncoding, kWritten, kSkipped, kMerged, kLeftOut, kKinds };

  // The stream for one note of `kind` about `line`, or nullptr when the note is not written.
  std::ostream* Note(Kind kind, int line);

  std::string label_;
  std::ostream& err_;
  bool quiet_;
  std::array<std::size_t, kKinds> counts_{};
};

}  // namespace qorv
