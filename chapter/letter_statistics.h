// The analysis stage over the upper-cased seed names that validation later compares candidates
// with: how closely each letter recurs, and how large a share of a name it takes.
#pragma once

#include <string>
#include <vector>

#include "chapter/statistics.h"

namespace qorv {

// Closest repetition and highest share of every letter, over the upper-cased seed names.
void AddLetterStatistics(ChapterStatistics& stats, const std::vector<std::string>& names);

// The letter share of `count` letters in a name of `length`: the integer part of
// (count / length + 0.005) * 100 in IEEE double.
double LetterShare(int count, int length);

}  // namespace qorv
