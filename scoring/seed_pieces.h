// Every piece (substring) of a set of seed names, for the test "is this name a piece of a seed",
// a seed itself included: one look-up instead of a search through every seed.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace qorv {

class SeedPieces {
 public:
  // `seeds` as they are compared (upper-case them first).
  explicit SeedPieces(const std::vector<std::string>& seeds);

  bool Holds(const std::string& name) const { return pieces_.contains(name); }

 private:
  std::unordered_set<std::string> pieces_;
};

}  // namespace qorv
