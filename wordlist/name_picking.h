// Which names of a word list are kept when it holds more than a Chapter can: the first ones, ones
// spread evenly over the whole list, or ones drawn at random. The pool holds a bounded number of
// names however long the list is. Standard library only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "chapter/limits.h"
#include "wordlist/word_list.h"

namespace qorv {

enum class PickMode { kFirst, kSpread, kRandom };

struct PickedNames {
  std::vector<WordListEntry> Names;   // in input order, distinct
  std::vector<WordListEntry> Merged;  // repeats the reader no longer remembered, in input order
  std::size_t NotPicked = 0;          // names offered and not picked
};

// Takes the names of a list (WordKind::kName entries) in input order.
class NamePool {
 public:
  // `seed` serves kRandom only.
  NamePool(PickMode mode, std::uint64_t seed, std::size_t count = kMaxNames);

  void Add(WordListEntry name);

  // `count` names (all when fewer were offered): the first ones; for kSpread one every
  // offered/count names, from the first on; for kRandom a uniform draw.
  PickedNames Take();

 private:
  void Thin();

  PickMode mode_;
  std::size_t count_;
  std::mt19937_64 random_;
  std::vector<WordListEntry> pool_;
  std::size_t offered_ = 0;
  std::size_t step_ = 1;  // kSpread: the pool holds every step_-th name offered
};

}  // namespace qorv
