// The placement loop of one attempt: fills the element positions of a name one by one (or two by
// two with initial and final pairs), each from the candidates that pass the position, initial
// letter, length pattern and adjacency filters, and logs every candidate and choice.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "chapter/chapter.h"
#include "chapter/limits.h"
#include "chapter/statistics.h"
#include "generator/element_facts.h"
#include "generator/generation_log.h"
#include "generator/random_source.h"

namespace qorv {

struct PlacementSettings {
  int Level = 0;
  bool Structural = false;  // this attempt's copy, after relaxation
  bool Statistical = false;
  bool Prefixes = false;
  bool Suffixes = false;
  char InitialLetter = '*';
  // The request's length pattern, or nullptr when the pattern filters are off for this attempt.
  const std::string* Pattern = nullptr;
  int RequestClass = 0;
  int ElementTotal = 2;
  int SplitPoint = 1;
  bool Shuffle = false;
};

using NameElementRow = std::array<ElementId, kElementRowSize>;

class Placement {
 public:
  Placement(const ChapterStatistics& stats, const ElementFacts& facts, RandomSource& random,
            AttemptLog& log, const PlacementSettings& settings);

  // Fills every position. False when a position had no candidate; the log then ends with the
  // position's failure word.
  bool Run();

  const NameElementRow& Elements() const { return elements_; }

 private:
  enum class Kind { kVowel, kConsonant };

  struct Position {
    int slot;
    Kind kind;
  };

  Position SlotAndKind(int pos, Kind previous) const;
  bool PlaceSingle(int pos, const Position& at);
  bool PlaceInitialPair(Kind kind);
  bool PlaceFinalPair(int pos, Kind kind);

  // The tests of an element seen at the position's slot.
  bool ConsonantFits(int k, int pos) const;
  bool VowelFits(int v, int pos) const;
  bool PairFitsPattern(const ElementPair& pair, int pos) const;
  bool FinalPairFitsNeighbours(int i, const ElementPair& pair, int pos) const;

  // Takes one of the pairs collected as candidates into positions pos and pos + 1, or logs
  // `no_option` when there is none.
  bool PlaceChosenPair(const std::array<ElementPair, kMaxNames>& pairs, int pos,
                       std::string_view no_option);

  void ClearCandidates();
  // A candidate is an ElementId for single elements, a pair index for pairs.
  void AddCandidate(int candidate, int weight);
  // Picks one of the collected candidates: uniformly, or by weight with Statistical on.
  int Choose();
  void LogElement(ElementId id);
  void LogPair(const ElementPair& pair);

  int LastLetter(ElementId consonant) const {
    return facts_.Consonants[consonant - kConsonantIdBase].Last;
  }
  bool IsMulti(ElementId id) const { return IsVowelId(id) && facts_.Vowels[id].Multi; }

  const ChapterStatistics& stats_;
  const ElementFacts& facts_;
  RandomSource& random_;
  AttemptLog& log_;
  PlacementSettings settings_;
  NameElementRow elements_;
  // The candidates of the current position: at most every pair of the Chapter.
  std::array<int, kMaxNames> candidates_;
  std::array<int, kMaxNames> weights_;
  int candidate_count_ = 0;
  int weight_total_ = 0;
};

}  // namespace qorv
