#include "chapter/name_history.h"

#include <cstring>

namespace qorv {

std::uint64_t NameHistory::Key(std::string_view name) {
  // The bytes eight at a time, each word mixed in with a multiply, the last few bytes as one
  // more word; the length in the top byte, so that names of other lengths never agree.
  const auto mix = [](std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ word) * 0xBF58476D1CE4E5B9u;
    return hash ^ (hash >> 31);
  };
  std::uint64_t hash = 0x9E3779B97F4A7C15u;
  std::size_t at = 0;
  for (; at + 8 <= name.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, name.data() + at, sizeof word);
    hash = mix(hash, word);
  }
  std::uint64_t rest = 0;
  for (std::size_t i = at; i < name.size(); ++i) {
    rest |= static_cast<std::uint64_t>(static_cast<unsigned char>(name[i])) << (8 * (i - at));
  }
  hash = mix(hash, rest) * 0x94D049BB133111EBu;
  return (hash >> 8) | static_cast<std::uint64_t>(name.size()) << 56;
}

void NameHistory::Put(int slot, std::string_view name) {
  Names[slot] = name;
  keys_[slot] = Key(name);
}

void NameHistory::Add(const std::string& name) {
  // A full ring's next slot is filled: its name leaves the ring.
  if (NameHistoryCount == kCapacity) --bucket_counts_[Bucket(keys_[NameHistoryNext])];
  Put(NameHistoryNext, name);
  ++bucket_counts_[Bucket(keys_[NameHistoryNext])];
  if (NameHistoryCount < kCapacity) ++NameHistoryCount;
  if (++NameHistoryNext == kCapacity) NameHistoryNext = 0;
}

bool NameHistory::Contains(std::string_view name) const {
  const std::uint64_t wanted = Key(name);
  if (bucket_counts_[Bucket(wanted)] == 0) return false;
  for (int i = 0; i < NameHistoryCount; ++i) {
    if (keys_[i] == wanted && Names[i] == name) return true;
  }
  return false;
}

const std::string& NameHistory::Newest(int n) const {
  static const std::string kEmpty;
  if (n < 0 || n >= NameHistoryCount) return kEmpty;
  int slot = NameHistoryNext - n - 1;
  if (slot < 0) slot += NameHistoryCount;
  return Names[slot];
}

void NameHistory::Restore(Mark mark) {
  Put(mark.Next, mark.Overwritten);
  NameHistoryNext = mark.Next;
  NameHistoryCount = mark.Count;
  bucket_counts_.fill(0);
  for (int i = 0; i < NameHistoryCount; ++i) ++bucket_counts_[Bucket(keys_[i])];
}

}  // namespace qorv
