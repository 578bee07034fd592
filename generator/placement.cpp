#include "generator/placement.h"

#include <algorithm>
#include <span>

#include "chapter/structure.h"

namespace qorv {

Placement::Placement(const ChapterStatistics& stats, const ElementFacts& facts,
                     RandomSource& random, AttemptLog& log, const PlacementSettings& settings,
                     Method method)
    : stats_(stats),
      facts_(facts),
      sets_(*facts.Sets),
      choices_(*facts.Choices),
      random_(random),
      log_(log),
      settings_(settings),
      method_(method) {
  elements_.fill(kEndOfRow);
}

bool Placement::Run() {
  // Room for pairs: a final pair needs four positions, an initial pair four, both six.
  int room = settings_.ElementTotal;
  if (settings_.Suffixes && (room -= 2) < 2) settings_.Suffixes = false;
  if (settings_.Prefixes && (room -= 2) < 2) settings_.Prefixes = false;

  const int total = settings_.ElementTotal;
  Kind previous = Kind::kVowel;
  for (int pos = 0; pos < total;) {
    const Position at = SlotAndKind(pos, previous);
    if (pos == 0 && settings_.Prefixes) {
      if (!PlaceInitialPair(at.kind)) return false;
      previous = IsVowelId(elements_[1]) ? Kind::kVowel : Kind::kConsonant;
      pos = 2;
      continue;
    }
    if (pos == total - 2 && settings_.Suffixes) return PlaceFinalPair(pos, at.kind);
    if (!PlaceSingle(pos, at)) return false;
    previous = at.kind;
    ++pos;
  }
  return true;
}

Placement::Position Placement::SlotAndKind(int pos, Kind previous) const {
  const Kind opposite = previous == Kind::kVowel ? Kind::kConsonant : Kind::kVowel;
  const bool odd_class = settings_.RequestClass % 2 == 1;
  const int total = settings_.ElementTotal;
  const int max_elements = stats_.MaxElementsPerName;
  if (pos == 0) return {0, odd_class ? Kind::kVowel : Kind::kConsonant};
  if (pos == total - 1) return {max_elements - 1, opposite};
  if (settings_.Shuffle) return {1, opposite};
  const Kind kind = (pos % 2 == 0) == odd_class ? Kind::kVowel : Kind::kConsonant;
  // Front-aligned up to the split point, end-aligned after it.
  const int front_slot = (pos + 1) / 2;
  const int slot =
      pos <= settings_.SplitPoint ? front_slot : front_slot + (max_elements - total) / 2;
  return {slot, kind};
}

// ---- By sets ----

bool Placement::PlaceSingle(int pos, const Position& at) {
  if (method_ == Method::kOneByOne) return PlaceSingleOneByOne(pos, at);
  const bool vowel = at.kind == Kind::kVowel;
  const ElementId id_base = vowel ? 0 : kConsonantIdBase;
  const auto& weights = vowel ? sets_.VowelWeights[at.slot] : sets_.ConsonantWeights[at.slot];
  bool narrowed = false;
  const ElementSet candidates = SingleCandidates(pos, at, narrowed);
  if (trace_) TraceSet(candidates, weights, id_base);
  if (log_.enabled()) candidates.ForEach([&](int e) { log_.Write(LogText(id_base + e)); });
  // The elements seen at the slot, when no filter took any away, are chosen from their list.
  const Choice choice = narrowed ? choices_.Elements.Find(candidates, weights)
                                 : SeenChoice(vowel ? sets_.VowelsSeenList[at.slot]
                                                    : sets_.ConsonantsSeenList[at.slot]);
  if (choice.Count == 0) {
    log_.Write(log_text::kNoOption);
    return false;
  }
  TakeSingle(pos, id_base + ChooseMember(choice));
  return true;
}

ElementSet Placement::SingleCandidates(int pos, const Position& at, bool& narrowed) const {
  const bool letter_asked = pos == 0 && settings_.InitialLetter != '*';
  const int letter = ByteIndex(settings_.InitialLetter);
  const std::string* pattern = settings_.Pattern;
  const int level = settings_.Level;
  const bool after = level >= 1 && pos > 0;
  if (at.kind == Kind::kVowel) {
    const bool across = level >= 3 && pos > 1;
    narrowed = letter_asked || pattern || after || across;
    ElementSet set = sets_.VowelsSeenAt[at.slot];
    if (letter_asked) set &= sets_.VowelsByInitial[letter];
    if (pattern) set &= sets_.VowelsFitting[ByteIndex((*pattern)[pos])];
    if (after) set &= sets_.VowelsAfterConsonant[LastLetter(elements_[pos - 1])];
    if (across) set &= sets_.VowelsAcrossConsonant[elements_[pos - 2]];
    return set;
  }
  ElementSet set = sets_.ConsonantsSeenAt[at.slot];
  if (letter_asked) set &= sets_.ConsonantsByInitial[letter];
  // Across a multi vowel no junction is recorded; with the pattern asking for one, the element
  // must only differ from the consonant before the multi vowel.
  bool across_multi = false;
  if (pattern) {
    set &= sets_.ConsonantsFitting[ByteIndex((*pattern)[pos])];
    if (pos > 1 && IsMulti(elements_[pos - 1]) && (*pattern)[pos - 1] == '0') {
      across_multi = true;
      set.Remove(sets_.ConsonantsBeginningWith[LastLetter(elements_[pos - 2])]);
    }
  }
  if (after) set &= sets_.ConsonantsAfterVowel[elements_[pos - 1]];
  const bool across = level >= 2 && pos > 1 && !across_multi;
  if (across) set &= sets_.ConsonantsAcrossVowel[LastLetter(elements_[pos - 2])];
  narrowed = letter_asked || pattern || after || across;
  return set;
}

bool Placement::PlaceInitialPair(Kind kind) {
  if (method_ == Method::kOneByOne) return PlaceInitialPairOneByOne(kind);
  return PlacePairFromSet(InitialPairCandidates(kind), stats_.InitialPairs,
                          stats_.InitialPairWeights, 0, log_text::kNoPrefix);
}

PairSet Placement::InitialPairCandidates(Kind kind) const {
  const PairSets& initial = sets_.Initial;
  PairSet set = kind == Kind::kVowel ? initial.VowelFirst : initial.ConsonantFirst;
  if (settings_.InitialLetter != '*') {
    set &= sets_.InitialByLetter[ByteIndex(settings_.InitialLetter)];
  }
  if (settings_.Pattern) {
    set &= initial.FirstFits[ByteIndex((*settings_.Pattern)[0])];
    set &= initial.SecondFits[ByteIndex((*settings_.Pattern)[1])];
  }
  return set;
}

bool Placement::PlaceFinalPair(int pos, Kind kind) {
  if (method_ == Method::kOneByOne) return PlaceFinalPairOneByOne(pos, kind);
  return PlacePairFromSet(FinalPairCandidates(pos, kind), stats_.FinalPairs,
                          stats_.FinalPairWeights, pos, log_text::kNoSuffix);
}

PairSet Placement::FinalPairCandidates(int pos, Kind kind) const {
  const PairSets& final_pairs = sets_.Final;
  const bool vowel_first = kind == Kind::kVowel;
  PairSet set = vowel_first ? final_pairs.VowelFirst : final_pairs.ConsonantFirst;
  // Only a Structural request looks at the pair's neighbours and, with a pattern, its lengths.
  if (!settings_.Structural) return set;
  if (settings_.Pattern) {
    set &= final_pairs.FirstFits[ByteIndex((*settings_.Pattern)[pos])];
    set &= final_pairs.SecondFits[ByteIndex((*settings_.Pattern)[pos + 1])];
  }
  const int level = settings_.Level;
  // The context column of a consonant element is its last letter.
  const auto consonant_column = [this](ElementId consonant) {
    return ContextSetIndex(kConsonantIdBase + LastLetter(consonant));
  };
  if (vowel_first) {
    if (level >= 1) set &= sets_.FinalThirdLast[consonant_column(elements_[pos - 1])];
    if (level >= 3) set &= sets_.FinalFourthLast[ContextSetIndex(elements_[pos - 2])];
  } else {
    if (level >= 1) set &= sets_.FinalThirdLast[ContextSetIndex(elements_[pos - 1])];
    if (level >= 2) set &= sets_.FinalFourthLast[consonant_column(elements_[pos - 2])];
  }
  return set;
}

bool Placement::PlacePairFromSet(const PairSet& candidates,
                                 const std::array<ElementPair, kMaxNames>& pairs,
                                 const std::array<int, kMaxNames>& weights, int pos,
                                 std::string_view no_option) {
  if (trace_) TraceSet(candidates, weights, 0);
  if (log_.enabled()) {
    // A pair is logged as its two texts joined, then a space.
    candidates.ForEach([&](int i) {
      const std::string_view first = LogText(pairs[i].first);
      log_.Write(first.substr(0, first.size() - 1));
      log_.Write(LogText(pairs[i].second));
    });
  }
  const Choice choice = choices_.Pairs.Find(candidates, weights);
  if (choice.Count == 0) {
    log_.Write(no_option);
    return false;
  }
  TakePair(pos, pairs[ChooseMember(choice)]);
  return true;
}

namespace {

// As WeightedPick over running sums that never decrease: the first item whose sum exceeds `r`,
// found by halving the list without a branch to mispredict.
int FirstAbove(const int* sums, int count, int r) {
  const int* first = sums;
  for (int left = count; left > 1;) {
    const int half = left / 2;
    first += static_cast<std::ptrdiff_t>(first[half - 1] <= r) * half;
    left -= half;
  }
  const int at = static_cast<int>(first - sums) + (*first <= r ? 1 : 0);
  return std::min(at, count - 1);
}

}  // namespace

Placement::Choice Placement::SeenChoice(const CandidateSets::SeenList& seen) {
  const int total = seen.Count > 0 ? seen.Sums[seen.Count - 1] : 0;
  return {seen.Count, total, seen.Members.data(), seen.Sums.data()};
}

int Placement::ChooseMember(const Choice& choice) {
  if (!settings_.Statistical) return choice.Members[RandomBelow(random_, choice.Count)];
  const int r = RandomBelow(random_, choice.Total);
  return choice.Members[FirstAbove(choice.Sums, choice.Count, r)];
}

template <typename Set, typename Weights>
void Placement::TraceSet(const Set& set, const Weights& weights, int id_base) {
  StepCandidates& step = trace_->emplace_back();
  set.ForEach([&](int member) { step.emplace_back(id_base + member, weights[member]); });
}

// ---- One by one ----

bool Placement::ConsonantFits(int k, int pos) const {
  const ConsonantFacts& facts = facts_.Consonants[k];
  if (pos == 0 && settings_.InitialLetter != '*' &&
      facts.ExpandedFirst != settings_.InitialLetter) {
    return false;
  }
  // Across a multi vowel no junction is recorded; with the pattern asking for one, the element
  // must only differ from the consonant before the multi vowel.
  bool across_multi = false;
  if (settings_.Pattern) {
    const std::string& pattern = *settings_.Pattern;
    if (pattern[pos] != LengthPatternChar(facts.ExpandedLength)) return false;
    if (pos > 1 && IsMulti(elements_[pos - 1]) && pattern[pos - 1] == '0') {
      across_multi = true;
      if (facts.First == LastLetter(elements_[pos - 2])) return false;
    }
  }
  if (settings_.Level >= 1 && pos > 0 &&
      !stats_.ConsonantAfterVowel[facts.First][elements_[pos - 1]]) {
    return false;
  }
  if (settings_.Level >= 2 && pos > 1 && !across_multi &&
      !stats_.ConsonantAcrossVowel[facts.First][LastLetter(elements_[pos - 2])]) {
    return false;
  }
  return true;
}

bool Placement::VowelFits(int v, int pos) const {
  const VowelFacts& facts = facts_.Vowels[v];
  if (pos == 0 && settings_.InitialLetter != '*' && facts.UpperFirst != settings_.InitialLetter) {
    return false;
  }
  if (settings_.Pattern) {
    const char wanted = (*settings_.Pattern)[pos];
    const bool fits =
        wanted == '0' ? facts.Multi : !facts.Multi && wanted == LengthPatternChar(facts.Length);
    if (!fits) return false;
  }
  if (settings_.Level >= 1 && pos > 0 &&
      !stats_.VowelAfterConsonant[v][LastLetter(elements_[pos - 1])]) {
    return false;
  }
  if (settings_.Level >= 3 && pos > 1 && !stats_.VowelAcrossConsonant[v][elements_[pos - 2]]) {
    return false;
  }
  return true;
}

bool Placement::PlaceSingleOneByOne(int pos, const Position& at) {
  ClearCandidates();
  const bool vowel = at.kind == Kind::kVowel;
  const int count = vowel ? facts_.VowelCount : facts_.ConsonantCount;
  for (int e = 0; e < count; ++e) {
    // Only elements seen at the slot can stand there; the list keeps the table order.
    const int weight =
        vowel ? stats_.VowelPositionCounts[e][at.slot] : stats_.ConsonantPositionCounts[e][at.slot];
    if (weight <= 0 || !(vowel ? VowelFits(e, pos) : ConsonantFits(e, pos))) continue;
    const ElementId id = vowel ? e : kConsonantIdBase + e;
    AddCandidate(id, weight);
    LogElement(id);
    log_.Write(' ');
  }
  if (candidate_count_ == 0) {
    log_.Write(log_text::kNoOption);
    return false;
  }
  TakeSingle(pos, candidates_[Choose()]);
  return true;
}

bool Placement::PairFitsPattern(const ElementPair& pair, int pos) const {
  const std::string& pattern = *settings_.Pattern;
  const char at_first = pattern[pos];
  const char at_second = pattern[pos + 1];
  if (IsVowelId(pair.first)) {
    const VowelFacts& v = facts_.Vowels[pair.first];
    const char consonant =
        LengthPatternChar(facts_.Consonants[pair.second - kConsonantIdBase].ExpandedLength);
    return at_second == consonant &&
           (v.Multi ? at_first == '0' : at_first == LengthPatternChar(v.Length));
  }
  const VowelFacts& v = facts_.Vowels[pair.second];
  const char consonant =
      LengthPatternChar(facts_.Consonants[pair.first - kConsonantIdBase].ExpandedLength);
  return at_first == consonant &&
         (v.Multi ? at_second == '0' : at_second == LengthPatternChar(v.Length));
}

bool Placement::PlaceInitialPairOneByOne(Kind kind) {
  ClearCandidates();
  for (int i = 0; i < stats_.InitialPairCount; ++i) {
    const ElementPair& pair = stats_.InitialPairs[i];
    if (IsVowelId(pair.first) != (kind == Kind::kVowel)) continue;
    if (settings_.InitialLetter != '*') {
      const char first = IsVowelId(pair.first)
                             ? facts_.Vowels[pair.first].UpperFirst
                             : facts_.Consonants[pair.first - kConsonantIdBase].UpperFirst;
      if (first != settings_.InitialLetter) continue;
    }
    if (settings_.Pattern && !PairFitsPattern(pair, 0)) continue;
    AddCandidate(i, stats_.InitialPairWeights[i]);
    LogPair(pair);
  }
  return PlaceChosenPair(stats_.InitialPairs, 0, log_text::kNoPrefix);
}

bool Placement::FinalPairFitsNeighbours(int i, const ElementPair& pair, int pos) const {
  const int level = settings_.Level;
  const auto& third_last = stats_.FinalPairThirdLast[i];
  const auto& fourth_last = stats_.FinalPairFourthLast[i];
  if (IsVowelId(pair.first)) {
    if (level >= 1 && !third_last[kConsonantIdBase + LastLetter(elements_[pos - 1])]) return false;
    if (level >= 3 && !fourth_last[elements_[pos - 2]]) return false;
  } else {
    if (level >= 1 && !third_last[elements_[pos - 1]]) return false;
    if (level >= 2 && !fourth_last[kConsonantIdBase + LastLetter(elements_[pos - 2])]) return false;
  }
  return true;
}

bool Placement::PlaceFinalPairOneByOne(int pos, Kind kind) {
  ClearCandidates();
  for (int i = 0; i < stats_.FinalPairCount; ++i) {
    const ElementPair& pair = stats_.FinalPairs[i];
    if (IsVowelId(pair.first) != (kind == Kind::kVowel)) continue;
    // Only a Structural request looks at the pair's neighbours and, with a pattern, its lengths.
    if (settings_.Structural) {
      if (settings_.Pattern && !PairFitsPattern(pair, pos)) continue;
      if (!FinalPairFitsNeighbours(i, pair, pos)) continue;
    }
    AddCandidate(i, stats_.FinalPairWeights[i]);
    LogPair(pair);
  }
  return PlaceChosenPair(stats_.FinalPairs, pos, log_text::kNoSuffix);
}

bool Placement::PlaceChosenPair(const std::array<ElementPair, kMaxNames>& pairs, int pos,
                                std::string_view no_option) {
  if (candidate_count_ == 0) {
    log_.Write(no_option);
    return false;
  }
  TakePair(pos, pairs[candidates_[Choose()]]);
  return true;
}

void Placement::ClearCandidates() {
  candidate_count_ = 0;
  weight_total_ = 0;
  if (trace_) trace_->emplace_back();
}

void Placement::AddCandidate(int candidate, int weight) {
  candidates_[candidate_count_] = candidate;
  weights_[candidate_count_] = weight;
  ++candidate_count_;
  weight_total_ += weight;
  if (trace_) trace_->back().emplace_back(candidate, weight);
}

int Placement::Choose() {
  if (!settings_.Statistical) return RandomBelow(random_, candidate_count_);
  return WeightedPick(random_, std::span<const int>(weights_.data(), candidate_count_),
                      weight_total_);
}

// ---- Both ways ----

void Placement::TakeSingle(int pos, ElementId chosen) {
  elements_[pos] = chosen;
  elements_[pos + 1] = kEndOfRow;
  if (!log_.enabled()) return;
  log_.Write(": ");
  LogElement(chosen);
  log_.Write(log_text::kLineEnd);
}

void Placement::TakePair(int pos, const ElementPair& chosen) {
  elements_[pos] = chosen.first;
  elements_[pos + 1] = chosen.second;
  elements_[pos + 2] = kEndOfRow;
  if (!log_.enabled()) return;
  log_.Write(": ");
  LogPair(chosen);
  log_.Write(log_text::kLineEnd);
}

void Placement::LogElement(ElementId id) {
  if (log_.enabled()) log_.Write(ElementText(stats_, id));
}

void Placement::LogPair(const ElementPair& pair) {
  LogElement(pair.first);
  LogElement(pair.second);
  log_.Write(' ');
}

}  // namespace qorv
