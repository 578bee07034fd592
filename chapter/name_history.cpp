#include "chapter/name_history.h"

namespace qorv {

void NameHistory::Add(const std::string& name) {
  Names[NameHistoryNext] = name;
  if (NameHistoryCount < kCapacity) ++NameHistoryCount;
  if (++NameHistoryNext == kCapacity) NameHistoryNext = 0;
}

bool NameHistory::Contains(const std::string& name) const {
  for (int i = 0; i < NameHistoryCount; ++i) {
    if (Names[i] == name) return true;
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

}  // namespace qorv
