// The fixed limits of a Chapter; every table of the statistics block is sized by them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qorv {

inline constexpr int kMaxNames = 1000;
inline constexpr std::size_t kMaxFileBytes = 32768;
inline constexpr int kMaxSpecialConsonants = 10;
inline constexpr int kElementTableSize = 256;  // at most 255 distinct elements of each kind load
inline constexpr int kMaxElementsPerName = 31;
inline constexpr int kElementRowSize = kMaxElementsPerName + 1;  // elements, then -1
inline constexpr int kPositionSlots = 32;
inline constexpr int kStructureClasses = 64;
inline constexpr int kContextColumns = 1064;  // vowel ElementIds 0..255, 1000 + consonant index
inline constexpr int kHeaderTagLimit = 64;
inline constexpr int kOptionTagLimit = 128;

// An element: a vowel element index 0..255, or 1000 + a consonant element index; -1 ends a row.
using ElementId = std::int32_t;
inline constexpr ElementId kConsonantIdBase = 1000;
inline constexpr ElementId kEndOfRow = -1;

inline bool IsVowelId(ElementId id) {
  return id < kConsonantIdBase;
}

}  // namespace qorv
