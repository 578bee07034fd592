// The scores of one name against a Chapter's seed names:
//   typicality   the name's bits per letter under the order-2 letter model of the seeds
//                (letter_model.h: add-one smoothed; lower is more typical);
//   nearest seed the seed name fewest single-letter edits away (insertions, deletions and
//                substitutions: the Levenshtein distance), with that distance.
// The seeds' own typicality is each seed's bits under the same model, the ruler generated names
// are measured with; the typical bar is the bits that nine seeds in ten stay within (the seeds'
// 10th percentile of typicality). The left-out bar measures each seed under the model of the
// other seeds instead, what a new name of the kind costs: the likeness measures behind the
// default GENOPT (generator/name_likeness.h) use it.
//
// Names are Windows-1252 and compared upper-cased (ASCII and the accent pairs). A scorer is only
// read once made: any number of threads may use one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scoring/letter_model.h"

namespace qorv {

struct NameScore {
  double BitsPerLetter = 0;
  std::string NearestSeed;  // as the seeds were given; empty when there are none
  int EditDistance = 0;
};

// Upper case: ASCII letters and the accent pairs.
std::string UpperCased(std::string_view name);

// Single-letter insertions, deletions and substitutions that turn `a` into `b`.
int EditDistance(std::string_view a, std::string_view b);

class NameScorer {
 public:
  explicit NameScorer(std::vector<std::string> seeds);

  double BitsPerLetter(std::string_view name) const;
  NameScore Score(std::string_view name) const;

  // Each seed's bits, in the seeds' order.
  const std::vector<double>& SeedBits() const { return seed_bits_; }
  // The bits nine seeds in ten stay within (0 without seeds): a name at or under it is typical.
  double TypicalBar() const { return typical_bar_; }
  // The same, each seed under the model of the others.
  double LeftOutTypicalBar() const { return left_out_bar_; }
  // The upper-cased seeds.
  const std::vector<std::string>& Seeds() const { return upper_; }

 private:
  std::vector<std::string> seeds_;
  std::vector<std::string> upper_;
  LetterModel model_;
  std::vector<double> seed_bits_;
  double typical_bar_ = 0;
  double left_out_bar_ = 0;
};

}  // namespace qorv
