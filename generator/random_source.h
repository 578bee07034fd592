// The program's one pseudo-random generator and its two draw helpers.
//
// A 64-bit linear congruential recurrence; each value is the upper 32 bits of the new state with
// the top bit cleared. Deterministic for a given seed on every machine.
#pragma once

#include <cstdint>
#include <span>

namespace qorv {

class RandomSource {
 public:
  void Seed(std::uint32_t seed) { state_ = seed; }

  // The next value, 0..0x7FFFFFFF.
  std::uint32_t Next() {
    state_ = state_ * 0x000015A400004E35ULL + 1;
    return static_cast<std::uint32_t>(state_ >> 32) & 0x7FFFFFFFu;
  }

  std::uint64_t State() const { return state_; }

 private:
  std::uint64_t state_ = 0;
};

// 0 when n is 0, without drawing; otherwise the next value modulo n.
inline int RandomBelow(RandomSource& random, int n) {
  if (n <= 0) return 0;
  return static_cast<int>(random.Next() % static_cast<std::uint32_t>(n));
}

// Draws r = RandomBelow(total) and returns the index of the first item whose running weight sum
// exceeds r. `total` must be the sum of the (positive) weights.
int WeightedPick(RandomSource& random, std::span<const int> weights, int total);

}  // namespace qorv
