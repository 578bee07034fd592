// A fixed-size set of small integers (element indexes, pair indexes), kept as bits.
//
// Placement keeps, for every filter, the set of elements or pairs that pass it; one placement
// step intersects a few of these sets and then takes one of the members, found by the set's
// bits in a table of the sets met before. Members are always visited in increasing order, which
// is the table order of the candidates.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <type_traits>

namespace qorv {

template <int kSize>
class BitSet {
 public:
  static constexpr int kWords = (kSize + 63) / 64;

  void Add(int i) { words_[i >> 6] |= std::uint64_t{1} << (i & 63); }
  bool Contains(int i) const { return (words_[i >> 6] >> (i & 63)) & 1; }

  BitSet& operator&=(const BitSet& other) {
    for (int w = 0; w < kWords; ++w) words_[w] &= other.words_[w];
    return *this;
  }
  // Takes away every member of `other`.
  BitSet& Remove(const BitSet& other) {
    for (int w = 0; w < kWords; ++w) words_[w] &= ~other.words_[w];
    return *this;
  }
  friend bool operator==(const BitSet&, const BitSet&) = default;

  // A hash of the members, for tables keyed by sets: each word times its own odd constant, so
  // that the products do not wait for each other, then mixed.
  std::uint64_t Hash() const {
    std::uint64_t h = 0;
    for (int w = 0; w < kWords; ++w) {
      h += words_[w] * (0x9E3779B97F4A7C15u + 2 * static_cast<std::uint64_t>(w));
    }
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9u;
    return h ^ (h >> 29);
  }

  // Calls `visit(member)` for every member in increasing order; stops early when `visit` returns
  // false (a visitor returning void visits them all).
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (int w = 0; w < kWords; ++w) {
      for (std::uint64_t word = words_[w]; word != 0; word &= word - 1) {
        const int member = w * 64 + std::countr_zero(word);
        if constexpr (std::is_same_v<decltype(visit(member)), bool>) {
          if (!visit(member)) return;
        } else {
          visit(member);
        }
      }
    }
  }

 private:
  std::array<std::uint64_t, kWords> words_{};
};

}  // namespace qorv
