#include "chapter/name_history.h"

namespace qorv {

std::uint64_t NameHistory::Key(std::string_view name) {
  // FNV-1a over the bytes, the length in the top byte: names of other lengths never agree.
  std::uint64_t hash = 0xCBF29CE484222325u;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3u;
  return (hash >> 8) | static_cast<std::uint64_t>(name.size()) << 56;
}

void NameHistory::Put(int slot, std::string_view name) {
  Names[slot] = name;
  keys_[slot] = Key(name);
}

void NameHistory::Add(const std::string& name) {
  Put(NameHistoryNext, name);
  if (NameHistoryCount < kCapacity) ++NameHistoryCount;
  if (++NameHistoryNext == kCapacity) NameHistoryNext = 0;
}

bool NameHistory::Contains(std::string_view name) const {
  const std::uint64_t wanted = Key(name);
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
}

}  // namespace qorv
