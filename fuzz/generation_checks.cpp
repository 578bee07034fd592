#include "fuzz/generation_checks.h"

#include <string_view>

#include "chapter/client.h"
#include "chapter/letters.h"
#include "chapter/limits.h"
#include "fuzz/require.h"
#include "generator/finishing.h"
#include "generator/generation_log.h"

namespace qorv::fuzz {
namespace {

// The last attempt of a request is the 77th (AttemptCount 76): it gives the request up.
constexpr int kLastAttemptCount = 76;

bool IsAsciiSmall(char c) {
  return c >= 'a' && c <= 'z';
}
bool IsAsciiCapital(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsIn(std::string_view letters, char c) {
  return letters.find(c) != std::string_view::npos;
}

// The accented capitals into which the accent finishing contracts a run of `letter`.
std::string_view ContractionsOf(char letter) {
  switch (letter) {
    case 'A':
      return "\xC1\xC2";
    case 'E':
      return "\xC9\xCA";
    case 'I':
      return "\xCD\xCE";
    case 'O':
      return "\xD3\xD4";
    case 'U':
      return "\xDA\xDB";
    case 'Y':
      return "\xDD";
    default:
      return {};
  }
}

constexpr std::string_view kAllContractions = "\xC1\xC2\xC9\xCA\xCD\xCE\xD3\xD4\xDA\xDB\xDD";

// Special consonants that hold each other's digits can grow a candidate until the expansion
// stops at its cap, which leaves the digits of later passes unexpanded, the name's first one
// included. The expansion stops only when an insertion (a special consonant, shorter than an
// option tag's value) would pass the cap; the accent finishing shortens a text to no less than a
// third. Shorter names were expanded in full.
constexpr std::size_t kShortestCappedName = (kMaxExpandedLength + 1 - kOptionTagLimit) / 3;

void CheckFirstLetter(const std::string& name, char initial_letter, bool finished_accents) {
  const char first = name[0];
  Require(!IsAsciiSmall(first), "a name keeps its first letter as a capital");
  // A digit asked for may be matched by an initial pair's coded form, whose special consonant is
  // written out before the name is finished; any other letter stands first as it was asked for.
  if (initial_letter == '*' || (initial_letter >= '0' && initial_letter <= '9')) return;
  if (name.size() >= kShortestCappedName) return;
  Require(
      first == initial_letter || (finished_accents && IsIn(ContractionsOf(initial_letter), first)),
      "a name begins with the initial letter asked for");
}

void CheckSmallLetters(const std::string& name) {
  for (std::size_t i = 1; i < name.size(); ++i) {
    const char c = name[i];
    if (i >= 2 && name[i - 1] == '-') {
      Require(!IsAsciiSmall(c) && !IsIn(LowerAccentLetters, c),
              "a letter after a hyphen (not the first letter) is a capital");
    } else {
      Require(!IsAsciiCapital(c) && !IsIn(UpperAccentLetters, c),
              "letters after the first are small unless a hyphen stands before them");
    }
  }
}

}  // namespace

void CheckRequestState(const RequestState& state, const ChapterStatistics& stats) {
  Require(state.RandomSeeded == 1, "an attempt seeds the random source");
  Require(state.NewRequest <= 1, "NewRequest is 0 or 1");
  Require(state.AttemptCount >= 0 && state.AttemptCount <= kLastAttemptCount,
          "AttemptCount lies in 0..76");
  const int request_class = state.RequestClass;
  Require(request_class >= 0 && request_class < kStructureClasses, "RequestClass lies in 0..63");
  Require(stats.StructureNameCounts[request_class] > 0, "RequestClass has seed names");
  Require(request_class / 2 + 2 <= stats.MaxElementsPerName,
          "RequestClass has no more elements than the longest seed name");
  if (state.RequestPatternDrawn) {
    Require(
        state.RequestPattern >= 0 && state.RequestPattern < stats.StructureCounts[request_class],
        "a drawn RequestPattern is a pattern of RequestClass");
  }
}

void CheckLoggedName(std::string_view log, const std::string& name, bool finished_accents) {
  const std::string tail = std::string(log_text::kAccepted) + name;
  Require(log.ends_with(tail), "the log ends with the accepted name");
  const std::size_t line = log.rfind(log_text::kCandidate, log.size() - tail.size());
  Require(line != std::string_view::npos, "the log holds the accepted name's candidate");
  const std::size_t from = line + log_text::kCandidate.size();
  const std::string_view candidate = log.substr(from, log.size() - tail.size() - from);
  Require(candidate.size() >= 2, "a candidate has at least two letters");
  Require(finished_accents ? name.size() <= candidate.size() : name.size() == candidate.size(),
          "only the accent finishing changes a name's length, and only shortens it");
  const bool contracted = finished_accents && candidate[1] == candidate[0] &&
                          IsIn(ContractionsOf(candidate[0]), name[0]);
  Require(name[0] == candidate[0] || contracted, "a name keeps its candidate's first letter");
}

NameChecks::NameChecks(const TQorvChapter& chapter, const NameHistory& history)
    : chapter_(chapter), history_(history) {}

void NameChecks::CheckName(const std::string& name, char initial_letter) {
  Require(!name.empty(), "a returned name is not empty");
  const bool finished_accents = chapter_.PunctMode != 0;
  Require(name.size() >= 2 || (finished_accents && IsIn(kAllContractions, name[0])),
          "a name has at least two letters, unless two were contracted into one");
  CheckFirstLetter(name, initial_letter, finished_accents);
  CheckSmallLetters(name);

  const int earlier = returned_ < NameHistory::kCapacity ? returned_ : NameHistory::kCapacity;
  for (int i = 0; i < earlier; ++i) {
    Require(recent_[i] != name, "a name differs from the 100 names returned before it");
  }
  recent_[returned_ % NameHistory::kCapacity] = name;
  ++returned_;

  const NameHistory& history = history_;
  Require(history.Newest(0) == name, "a returned name is the history ring's newest entry");
  Require(history.NameHistoryCount ==
              (returned_ < NameHistory::kCapacity ? returned_ : NameHistory::kCapacity),
          "the history ring holds every name returned, up to 100");
}

}  // namespace qorv::fuzz
