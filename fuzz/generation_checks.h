// What every generation attempt must leave behind, whatever Chapter was loaded.
//
// The generator's fuzz target runs these after each attempt and each name; a failed check prints
// what was wrong and aborts (fuzz/require.h).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "chapter/chapter.h"
#include "chapter/name_history.h"
#include "chapter/statistics.h"
#include "generator/request_state.h"

namespace qorv::fuzz {

// The generator's request state after any attempt: AttemptCount within 0..76 (the give-up
// attempt is the 77th), a class that has seed names, a pattern of that class when one was drawn.
void CheckRequestState(const RequestState& state, const ChapterStatistics& stats);

// The log of the attempt that accepted `name` ends with "\r\n-> CANDIDATE -> Name"; the name is
// no longer than its candidate (as long without accent finishing) and keeps its first letter, or
// the accented capital that a run of it was contracted to.
void CheckLoggedName(std::string_view log, const std::string& name, bool finished_accents);

// Checks the names one generator returns for one loaded Chapter, in the order returned.
class NameChecks {
 public:
  // `history` is the generator's ring.
  NameChecks(const TQorvChapter& chapter, const NameHistory& history);

  // A name just returned by a request whose last call asked for `initial_letter`:
  //   - at least two characters (one only when the accent finishing contracted the name's two
  //     letters into one accented capital);
  //   - the first letter kept as finished: never an ASCII small letter, and the requested initial
  //     letter (or its contraction) when a letter was asked for;
  //   - the rest in small letters, apart from capitals after a hyphen at position 1 or later;
  //   - unlike each of the 100 names returned before it;
  //   - the history ring's newest entry, with the ring holding every name returned, up to 100.
  void CheckName(const std::string& name, char initial_letter);

  int Returned() const { return returned_; }

 private:
  const TQorvChapter& chapter_;
  const NameHistory& history_;
  std::array<std::string, NameHistory::kCapacity> recent_;
  int returned_ = 0;
};

}  // namespace qorv::fuzz
