#include "scoring/name_scorer.h"

#include <algorithm>
#include <numeric>

#include "chapter/letters.h"

namespace qorv {

std::string UpperCased(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = AccentUpper(AsciiUpper(c));
  return upper;
}

int EditDistance(std::string_view a, std::string_view b) {
  // One row of the table at a time: row[j] is the distance of a's first i letters to b's first j.
  std::vector<int> row(b.size() + 1);
  std::iota(row.begin(), row.end(), 0);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const int above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

namespace {

// The bits nine in ten stay within.
double NineInTen(std::vector<double> bits) {
  if (bits.empty()) return 0;
  std::sort(bits.begin(), bits.end());
  return bits[std::min(bits.size() - 1, bits.size() * 9 / 10)];
}

}  // namespace

NameScorer::NameScorer(std::vector<std::string> seeds) : seeds_(std::move(seeds)) {
  for (const std::string& seed : seeds_) upper_.push_back(UpperCased(seed));
  for (const std::string& seed : upper_) model_.Count(seed, 1);
  std::vector<double> left_out;
  for (const std::string& seed : upper_) {
    seed_bits_.push_back(model_.BitsPerLetter(seed));
    model_.Count(seed, -1);
    left_out.push_back(model_.BitsPerLetter(seed));
    model_.Count(seed, 1);
  }
  typical_bar_ = NineInTen(seed_bits_);
  left_out_bar_ = NineInTen(std::move(left_out));
}

double NameScorer::BitsPerLetter(std::string_view name) const {
  return model_.BitsPerLetter(UpperCased(name));
}

NameScore NameScorer::Score(std::string_view name) const {
  const std::string upper = UpperCased(name);
  NameScore score{model_.BitsPerLetter(upper), "", 0};
  for (std::size_t i = 0; i < upper_.size(); ++i) {
    const int distance = EditDistance(upper, upper_[i]);
    if (score.NearestSeed.empty() || distance < score.EditDistance) {
      score.NearestSeed = seeds_[i];
      score.EditDistance = distance;
    }
  }
  return score;
}

}  // namespace qorv
