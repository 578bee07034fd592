#include "generator/random_source.h"

namespace qorv {

int WeightedPick(RandomSource& random, std::span<const int> weights, int total) {
  const int r = RandomBelow(random, total);
  int sum = 0;
  for (std::size_t i = 0; i < weights.size(); ++i) {
    sum += weights[i];
    if (sum > r) return static_cast<int>(i);
  }
  // Only reachable when the weights do not add up to `total`: keep to the list.
  return weights.empty() ? 0 : static_cast<int>(weights.size()) - 1;
}

}  // namespace qorv
