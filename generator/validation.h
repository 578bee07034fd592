// Judging a candidate name against the seed names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chapter/statistics.h"

namespace qorv {

// Failure reasons, as the log shows them.
namespace reject {
inline constexpr std::string_view kRepetition = "!REP";
inline constexpr std::string_view kDistance = "!DIST: ";
inline constexpr std::string_view kShare = "!FREQ: ";
inline constexpr std::string_view kHistory = "!HIST";
}  // namespace reject

// Why a candidate was turned down.
struct Rejection {
  enum class Rule { kRepetition, kDistance, kShare, kHistory };

  Rule Broken = Rule::kRepetition;
  char Letter = 0;  // the letter that recurs too closely or too often (distance and share rules)

  // The reason as the log writes it: "!REP", "!DIST: " + letter, "!FREQ: " + letter, "!HIST".
  std::string Reason() const;
};

// nullopt when the upper-case candidate passes at `level`; otherwise the rule it broke. Level 0
// passes everything; 1 adds the repetition and distance rules; any other value acts as 2 and adds
// the share rule. (The history rule is the generator's, applied to the finished name.)
std::optional<Rejection> ValidateName(const ChapterStatistics& stats, std::string_view candidate,
                                      int level);

}  // namespace qorv
