// The choices among candidate sets met before: for each set, its members in order with the
// running sums of their weights.
//
// A placement step picks one member of its candidate set, uniformly or by weight; by weight it
// needs the total weight of the members for the draw and their running sums to find the member
// the draw falls on. Both follow from the set and its weights alone, and the weights stay as they
// are while a Chapter is in use, while the attempts meet the same few hundred sets again and
// again. So the first step with a set walks it once and keeps what it found; later steps with
// the same set look it up by the set's bits instead of walking it.
//
// The table holds a bounded number of sets; when it is full it is emptied and filled anew, so
// that a Chapter with more sets than room costs a walk per step, as without the table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qorv {

// The members of one set, in increasing order, and the running sums of their weights.
struct MemberChoice {
  int Count = 0;
  int Total = 0;  // the weight of all members
  const std::uint16_t* Members = nullptr;
  const int* Sums = nullptr;
};

template <typename Set>
class WeightedChoices {
 public:
  using Choice = MemberChoice;

  // `slots`: the sets held at most, a power of two; `members`: their members together at most.
  WeightedChoices(int slots, int members) : slot_count_(slots), member_capacity_(members) {}

  // The choice among the members of `set` with `weights` (indexed by member), from the table or
  // found now. Valid until the next call.
  template <typename Weights>
  Choice Find(const Set& set, const Weights& weights) {
    if (entries_.empty()) Allocate();
    const void* const weights_key = &weights;
    const std::size_t mask = entries_.size() - 1;
    for (std::size_t at = set.Hash() & mask;; at = (at + 1) & mask) {
      Entry& entry = entries_[at];
      if (entry.epoch != epoch_) return Add(entry, set, weights);
      if (entry.weights == weights_key && entry.set == set) return ChoiceOf(entry);
    }
  }

  // Forgets every set, as when the weights change.
  void Clear() {
    ++epoch_;
    held_ = 0;
    used_members_ = 0;
  }

 private:
  struct Entry {
    Set set;
    const void* weights = nullptr;
    int count = 0;
    int total = 0;
    int first = 0;            // the index of the first member in members_ and sums_
    std::uint64_t epoch = 0;  // the entry is held when this is the table's epoch
  };

  void Allocate() {
    entries_.resize(static_cast<std::size_t>(slot_count_));
    members_.resize(static_cast<std::size_t>(member_capacity_));
    sums_.resize(static_cast<std::size_t>(member_capacity_));
  }

  template <typename Weights>
  Choice Add(Entry& entry, const Set& set, const Weights& weights) {
    // Room for every member the set could have, and the table at most three quarters full so
    // that a search ends soon at a free entry.
    const int room = Set::kWords * 64;
    if (4 * (held_ + 1) > 3 * slot_count_ || used_members_ + room > member_capacity_) {
      Clear();
      return Find(set, weights);
    }
    entry.set = set;
    entry.weights = &weights;
    entry.first = used_members_;
    entry.epoch = epoch_;
    int count = 0;
    int sum = 0;
    set.ForEach([&](int member) {
      sum += weights[member];
      members_[static_cast<std::size_t>(used_members_ + count)] =
          static_cast<std::uint16_t>(member);
      sums_[static_cast<std::size_t>(used_members_ + count)] = sum;
      ++count;
    });
    entry.count = count;
    entry.total = sum;
    used_members_ += count;
    ++held_;
    return ChoiceOf(entry);
  }

  Choice ChoiceOf(const Entry& entry) const {
    const auto first = static_cast<std::size_t>(entry.first);
    return {entry.count, entry.total, members_.data() + first, sums_.data() + first};
  }

  int slot_count_;
  int member_capacity_;
  // Allocated at the first search, so that a generator asked for no set holds no table.
  std::vector<Entry> entries_;
  std::vector<std::uint16_t> members_;
  std::vector<int> sums_;
  std::uint64_t epoch_ = 1;  // entries are made with epoch 0: all free at first
  int held_ = 0;
  int used_members_ = 0;
};

}  // namespace qorv
