// FirstSeenIndex: the lookup beside a table that keeps its entries in order of first appearance
// (element texts, initial and final pairs, length patterns).
//
// The loader asks "seen before, and where?" once per element and per name; walking the table
// would cost up to 1000 comparisons each time. This index is an open-addressing hash table of
// table positions only: the table keeps the keys, and the caller says whether a position holds
// the key it looks for. Fixed size, no allocation, emptied by construction.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace qorv {

// kSlots is a power of two, at least twice the number of positions ever added, so that probe
// runs stay short and a free slot always exists.
template <std::size_t kSlots>
class FirstSeenIndex {
  static_assert((kSlots & (kSlots - 1)) == 0, "kSlots must be a power of two");

 public:
  FirstSeenIndex() { slots_.fill(kFree); }

  // The position for which `holds_key(position)` is true, searched from `hash`, and false; or,
  // when no position holds the key, `new_position` (now recorded) and true.
  template <typename HoldsKey>
  std::pair<int, bool> FindOrAdd(std::uint64_t hash, HoldsKey holds_key, int new_position) {
    for (std::size_t slot = hash & kMask;; slot = (slot + 1) & kMask) {
      const int position = slots_[slot];
      if (position == kFree) {
        slots_[slot] = new_position;
        return {new_position, true};
      }
      if (holds_key(position)) return {position, false};
    }
  }

 private:
  static constexpr std::size_t kMask = kSlots - 1;
  static constexpr int kFree = -1;
  std::array<int, kSlots> slots_;
};

// FNV-1a over the bytes of a short text, with a final mix so that the low bits (which pick the
// slot) depend on every byte.
inline std::uint64_t HashText(std::string_view text, std::uint64_t seed = 0) {
  std::uint64_t hash = 0xcbf29ce484222325ull ^ seed;
  for (char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  return hash ^ (hash >> 29);
}

// A mix of a 64-bit key (the multiplier of Fibonacci hashing), high bits folded into the low ones.
inline std::uint64_t HashKey(std::uint64_t key) {
  key *= 0x9e3779b97f4a7c15ull;
  return key ^ (key >> 32);
}

}  // namespace qorv
