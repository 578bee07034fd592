// How much a set of generated names looks like new names of a Chapter's kind, measured against
// its seed names. Standard library only; names in Windows-1252, compared upper-cased.
//
// The measures, each a share of the names generated (0..1) but for the bits:
//   Novel         not equal to a seed name;
//   NotPart       not a piece of a seed name (a seed name itself included: "ARN" of "ARNHELM");
//   BitsPerLetter the mean cost of a name's letters under the seeds' order-2 letter model
//                 (scoring/letter_model.h): lower is more seed-like;
//   Typical       no costlier per letter than nine seed names in ten are under the model made
//                 of the other seed names (a seed left out of its own model, so that the bar is
//                 what a new name of the kind costs);
//   Good          new to the set (its first occurrence), Novel, NotPart and Typical at once: the
//                 share of names a user would keep.
#pragma once

#include <string>
#include <vector>

namespace qorv {

struct LikenessScores {
  double Novel = 0;
  double NotPart = 0;
  double BitsPerLetter = 0;
  double Typical = 0;
  double Good = 0;
  double TypicalBar = 0;  // the seeds' nine-in-ten bits per letter
};

LikenessScores ScoreNames(const std::vector<std::string>& seeds,
                          const std::vector<std::string>& names);

}  // namespace qorv
