#include "wordlist/name_picking.h"

#include <algorithm>
#include <unordered_map>

namespace qorv {

NamePool::NamePool(PickMode mode, std::uint64_t seed, std::size_t count)
    : mode_(mode), count_(count), random_(seed) {}

void NamePool::Add(WordListEntry name) {
  const std::size_t index = offered_++;
  switch (mode_) {
    case PickMode::kFirst:
      if (pool_.size() < count_) pool_.push_back(std::move(name));
      return;
    case PickMode::kSpread:
      // Every step_-th name; when twice the count is held, every other one is dropped and the
      // step doubles, so that the pool always spans the list so far at an even spacing.
      if (index % step_ != 0) return;
      pool_.push_back(std::move(name));
      if (pool_.size() == 2 * count_) Thin();
      return;
    case PickMode::kRandom:
      // Reservoir sampling: after n names each of them is in the pool with chance count/n.
      if (pool_.size() < count_) {
        pool_.push_back(std::move(name));
      } else if (const std::size_t slot = random_() % (index + 1); slot < count_) {
        pool_[slot] = std::move(name);
      }
      return;
  }
}

void NamePool::Thin() {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < pool_.size(); i += 2) pool_[kept++] = std::move(pool_[i]);
  pool_.resize(kept);
  step_ *= 2;
}

PickedNames NamePool::Take() {
  PickedNames picked;
  std::vector<WordListEntry> chosen;
  if (mode_ == PickMode::kSpread && pool_.size() > count_) {
    for (std::size_t i = 0; i < count_; ++i) {
      chosen.push_back(std::move(pool_[i * pool_.size() / count_]));
    }
  } else {
    chosen = std::move(pool_);
  }
  pool_.clear();
  std::sort(chosen.begin(), chosen.end(),
            [](const WordListEntry& a, const WordListEntry& b) { return a.Line < b.Line; });
  std::unordered_map<std::string, int> first_lines;
  for (WordListEntry& name : chosen) {
    const auto [first, inserted] = first_lines.emplace(WordListReader::Key(name.Name), name.Line);
    if (inserted) {
      picked.Names.push_back(std::move(name));
      continue;
    }
    name.Kind = WordKind::kMerged;
    name.FirstLine = first->second;
    picked.Merged.push_back(std::move(name));
  }
  picked.NotPicked = offered_ - picked.Names.size() - picked.Merged.size();
  return picked;
}

}  // namespace qorv
