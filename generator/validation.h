// Judging a candidate name against the seed names.
#pragma once

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

// Empty when the upper-case candidate passes at `level`; otherwise "!REP", "!DIST: " + letter
// or "!FREQ: " + letter. Level 0 passes everything; 1 adds the repetition and distance rules;
// any other value acts as 2 and adds the share rule.
std::string ValidateName(const ChapterStatistics& stats, std::string_view candidate, int level);

}  // namespace qorv
