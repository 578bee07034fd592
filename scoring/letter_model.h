// An order-2 letter model of a set of names: each letter predicted from the two before it.
//
// A name x1..xn is read as the steps x1, x2, ..., xn and its end, each with the two symbols before
// it as its context (a name's start is marked twice before x1). With c(u v w) the times w came
// after u v in the names counted, c(u v) the steps after u v, and A the number of different
// symbols the names' steps hold (their letters and the end), the cost of a name is the mean over
// its n + 1 steps of
//     -log2( (c(u v w) + 1) / (c(u v) + A) )           (add-one smoothing)
// in bits: a name that is made of the names' own letter runs costs little, one with unseen
// letter runs costs more. Letters are bytes and compared exactly (upper-case them first).
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qorv {

class LetterModel {
 public:
  LetterModel() = default;
  explicit LetterModel(const std::vector<std::string_view>& names);

  // Adds (+1) or takes away (-1) one name's counts: a name left out of its own model.
  void Count(std::string_view name, int sign);

  // The mean cost in bits of the name's steps; 0 for a model of no names.
  double BitsPerLetter(std::string_view name) const;

 private:
  template <typename Step>
  static void ForEachStep(std::string_view name, Step step);

  std::unordered_map<std::uint32_t, int> steps_;     // (u, v, w) -> c(u v w)
  std::unordered_map<std::uint32_t, int> contexts_;  // (u, v) -> c(u v)
  std::unordered_map<std::uint32_t, int> symbols_;   // w -> times it was a step
};

}  // namespace qorv
