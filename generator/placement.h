// The placement loop of one attempt: fills the element positions of a name one by one (or two by
// two with initial and final pairs), each from the candidates that pass the position, initial
// letter, length pattern and adjacency filters, and logs every candidate and choice.
//
// A step finds its candidates in one of two ways that give the same candidates in the same
// order with the same weights, and so the same draws and the same log:
//   - by sets (what runs): the sets of ElementFacts for each filter that applies are intersected,
//     and the choice takes a member from the set's members and running weight sums, kept in the
//     Chapter's table of choices from the first step that met the set;
//   - one by one (the reference): every element or pair is put to the filters in turn
//     (ConsonantFits, VowelFits, PairFitsPattern, FinalPairFitsNeighbours), as the rules are
//     stated. A test runs both on every sample Chapter and compares their steps.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
  enum class Method { kSets, kOneByOne };

  // One step's candidates in table order, each with its weight: ElementIds for a single
  // element, pair indexes for a pair.
  using StepCandidates = std::vector<std::pair<int, int>>;

  Placement(const ChapterStatistics& stats, const ElementFacts& facts, RandomSource& random,
            AttemptLog& log, const PlacementSettings& settings, Method method = Method::kSets);

  // Fills every position. False when a position had no candidate; the log then ends with the
  // position's failure word.
  bool Run();

  const NameElementRow& Elements() const { return elements_; }
  // After Run: whether the first two and the last two positions took a seed's pair (a request's
  // pairs are dropped when the name has no room for them).
  bool PlacedInitialPair() const { return settings_.Prefixes; }
  bool PlacedFinalPair() const { return settings_.Suffixes; }

  // For tests: every step of Run() appends its candidates to `trace`.
  void TraceSteps(std::vector<StepCandidates>* trace) { trace_ = trace; }

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

  // By sets: the candidates of a step.
  // `narrowed`: some filter beyond the slot applied.
  ElementSet SingleCandidates(int pos, const Position& at, bool& narrowed) const;
  PairSet InitialPairCandidates(Kind kind) const;
  PairSet FinalPairCandidates(int pos, Kind kind) const;
  bool PlacePairFromSet(const PairSet& candidates, const std::array<ElementPair, kMaxNames>& pairs,
                        const std::array<int, kMaxNames>& weights, int pos,
                        std::string_view no_option);
  // The members of a step's candidate set and the running sums of their weights: found in the
  // Chapter's table of choices, or for the elements seen at a slot in their list.
  using Choice = MemberChoice;
  static Choice SeenChoice(const CandidateSets::SeenList& seen);
  // Picks one of the members: uniformly, or with Statistical on by weight.
  int ChooseMember(const Choice& choice);
  template <typename Set, typename Weights>
  void TraceSet(const Set& set, const Weights& weights, int id_base);

  // One by one: the tests of an element seen at the position's slot, and of a pair.
  bool ConsonantFits(int k, int pos) const;
  bool VowelFits(int v, int pos) const;
  bool PairFitsPattern(const ElementPair& pair, int pos) const;
  bool FinalPairFitsNeighbours(int i, const ElementPair& pair, int pos) const;
  bool PlaceSingleOneByOne(int pos, const Position& at);
  bool PlaceInitialPairOneByOne(Kind kind);
  bool PlaceFinalPairOneByOne(int pos, Kind kind);
  // Takes one of the pairs collected as candidates into positions pos and pos + 1, or logs
  // `no_option` when there is none.
  bool PlaceChosenPair(const std::array<ElementPair, kMaxNames>& pairs, int pos,
                       std::string_view no_option);
  void ClearCandidates();
  // A candidate is an ElementId for single elements, a pair index for pairs.
  void AddCandidate(int candidate, int weight);
  // Picks one of the collected candidates: uniformly, or by weight with Statistical on.
  int Choose();

  // Both ways: the chosen element or pair goes into the row and ends the step's log line.
  void TakeSingle(int pos, ElementId chosen);
  void TakePair(int pos, const ElementPair& chosen);
  void LogElement(ElementId id);
  void LogPair(const ElementPair& pair);
  // By sets: an element's text among a step's candidates, with its space after it.
  std::string_view LogText(ElementId id) const {
    return IsVowelId(id) ? facts_.VowelLogText[id] : facts_.ConsonantLogText[id - kConsonantIdBase];
  }

  int LastLetter(ElementId consonant) const {
    return facts_.Consonants[consonant - kConsonantIdBase].Last;
  }
  bool IsMulti(ElementId id) const { return IsVowelId(id) && facts_.Vowels[id].Multi; }

  const ChapterStatistics& stats_;
  const ElementFacts& facts_;
  const CandidateSets& sets_;
  CandidateChoices& choices_;
  RandomSource& random_;
  AttemptLog& log_;
  PlacementSettings settings_;
  Method method_;
  std::vector<StepCandidates>* trace_ = nullptr;
  NameElementRow elements_;
  // One by one: the candidates of the current position, at most every pair of the Chapter, with
  // their weights.
  std::array<int, kMaxNames> candidates_;
  std::array<int, kMaxNames> weights_;
  int candidate_count_ = 0;
  int weight_total_ = 0;
};

}  // namespace qorv
