// The ring of the last 100 accepted names.
//
// Validation writes it, every Chapter load empties it, the desktop program's history browsing and
// the generate command read it. Not thread-safe: it is touched by one thread at a time.
//
// Every name asked for is looked for in the ring, so beside each slot the ring keeps a key of
// its name (its length and a hash of its bytes): a search compares the keys, one array of
// numbers, and a name whole only where the keys agree. Before that, a table of how many filled
// slots have keys in each of 1024 buckets says at one look that most names are not there. The
// slots are written only through Add and Restore, which keep the keys and the table in step.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qorv {

struct NameHistory {
  static constexpr int kCapacity = 100;

  std::array<std::string, kCapacity> Names;
  int NameHistoryNext = 0;   // the slot written next, 0..99
  int NameHistoryCount = 0;  // filled slots, 0..100

  // Where the ring stands before a name is added, to come back to when that name is taken back.
  struct Mark {
    int Next = 0;
    int Count = 0;
    std::string Overwritten;  // the slot Next, which the next name overwrites
  };

  void Clear() {
    NameHistoryNext = NameHistoryCount = 0;
    bucket_counts_.fill(0);
  }

  // Stores an accepted name in the next slot, overwriting the oldest once the ring is full.
  void Add(const std::string& name);

  bool Contains(std::string_view name) const;

  // The n-th newest name (0 = newest); the empty text for any n outside 0..count-1.
  const std::string& Newest(int n) const;

  Mark Save() const { return {NameHistoryNext, NameHistoryCount, Names[NameHistoryNext]}; }
  // The ring as it was at Save, the names added since taken back.
  void Restore(Mark mark);

 private:
  static constexpr int kBuckets = 1024;
  static std::uint64_t Key(std::string_view name);
  static std::size_t Bucket(std::uint64_t key) { return key % kBuckets; }
  void Put(int slot, std::string_view name);

  std::array<std::uint64_t, kCapacity> keys_{};
  // By bucket of the key: the filled slots whose key falls in it.
  std::array<std::uint8_t, kBuckets> bucket_counts_{};
};

}  // namespace qorv
