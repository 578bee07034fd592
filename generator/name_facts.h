// NameFacts: what the generator tells of how it made its names, for a caller that explains them.
//
// A caller hands the generator a record (NameGenerator::TellFacts) and the generator fills it as
// it goes: each rejected candidate is added to Rejected, and an accepted name sets the rest. The
// caller reads the record after a name and empties Rejected when it has used them. Without a
// record the generator does nothing of this, so that it costs nothing when nobody asks.
#pragma once

#include <string>
#include <vector>

#include "chapter/limits.h"
#include "generator/placement.h"
#include "generator/validation.h"

namespace qorv {

struct RejectedCandidate {
  std::string Name;  // in finished form (accents and capitals), Windows-1252
  std::string Text;  // as validation judged it: the upper-case candidate, or the finished name
  Rejection Why;
  int NamesAgo = 0;  // the history rule: 1 when the newest name in the ring is the same, ...
};

struct NameFacts {
  // The latest accepted name: its structure class, the length pattern it kept to (nullptr when
  // the request was not Structural or had given its pattern up), its elements in order, and
  // whether its first two and last two elements were placed as a seed's initial or final pair.
  int StructureClass = -1;
  const std::string* LengthPattern = nullptr;
  NameElementRow Elements{};
  bool InitialPair = false;
  bool FinalPair = false;
  // The candidates validation turned down since the caller last emptied the list.
  std::vector<RejectedCandidate> Rejected;
};

}  // namespace qorv
