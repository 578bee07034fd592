// The ring of the last 100 accepted names.
//
// Validation writes it, every Chapter load empties it, the desktop program's history browsing and
// the generate command read it. Not thread-safe: it is touched by one thread at a time.
#pragma once

#include <array>
#include <string>

namespace qorv {

struct NameHistory {
  static constexpr int kCapacity = 100;

  std::array<std::string, kCapacity> Names;
  int NameHistoryNext = 0;   // the slot written next, 0..99
  int NameHistoryCount = 0;  // filled slots, 0..100

  void Clear() { NameHistoryNext = NameHistoryCount = 0; }

  // Stores an accepted name in the next slot, overwriting the oldest once the ring is full.
  void Add(const std::string& name);

  bool Contains(const std::string& name) const;

  // The n-th newest name (0 = newest); the empty text for any n outside 0..count-1.
  const std::string& Newest(int n) const;
};

}  // namespace qorv
