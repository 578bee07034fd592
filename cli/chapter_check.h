// What `qorv chapter check` finds out about a loaded Chapter: its seed names, the variety of its
// elements, what its names are like at each generation and validation level, how many new names
// it can make, and the options it suggests. Every figure comes from fixed seeds of the random
// source, so a check of the same Chapter always reads the same.
#pragma once

#include <string>
#include <vector>

#include "chapter/chapter.h"
#include "chapter/statistics.h"
#include "generator/generation_request.h"

namespace qorv {

// The verdict on a number of seed names: "too few" under 30, "few" under 100, else "good".
const char* SeedCountVerdict(int seeds);

struct SeedLetterUse {
  std::string Letters;             // one letter, or a doubled one ("LL")
  std::vector<std::string> Seeds;  // the one or two seeds that hold it
};

struct SeedFacts {
  int Count = 0;
  double MeanLength = 0;  // letters
  double MeanBits = 0;    // under the seeds' own model, the ruler of the names made
  double TypicalBar = 0;  // nine seeds in ten within it
  std::vector<std::vector<std::string>> SameAfterFolding;  // groups of two or more
  std::vector<std::string> FarLengths;  // lengths beyond three quartile ranges of the middle half
  std::vector<SeedLetterUse> RareLetters;
  std::vector<SeedLetterUse> RareDoubles;
  std::vector<std::string> Tripled;  // seeds with a letter three times in a row
};

// How many different elements follow an element, over the elements that have a follower.
struct Variety {
  int Position = -1;  // -1: anywhere in a name; else the element's place (0: the first)
  int Elements = 0;
  double MeanFollowers = 0;
  double OneFollowerShare = 0;  // 0..1
};

// What a sample of names made with one request is like.
struct SampleFigures {
  GenerationRequest Request;
  int Names = 0;       // made (a run stops at a name not found within the attempt limit)
  double Unique = 0;   // distinct names / names, 0..1
  double Novel = 0;    // not a seed
  double NotPart = 0;  // not a piece of a seed (a seed included)
  double MeanLength = 0;
  double MeanBits = 0;
};

struct ChapterCheck {
  SeedFacts Seeds;
  std::vector<Variety> Varieties;     // anywhere, then by position when the Chapter is Structural
  std::vector<SampleFigures> Levels;  // level 0..3 by validation 0..2, the Chapter's switches
  int SampleNames = 0;
  GenerationRequest OwnRequest;  // as the Chapter's GENOPT asks
  int CapacityRun = 0;
  int Capacity = 0;             // distinct novel names in a run of CapacityRun with OwnRequest
  std::string SuggestedGenOpt;  // the value, without the tag
  SampleFigures Suggested;
};

// `chapter` loaded, `stats` its statistics.
ChapterCheck CheckChapter(const TQorvChapter& chapter, const ChapterStatistics& stats,
                          int sample_names = 20000, int capacity_run = 100000);

}  // namespace qorv
