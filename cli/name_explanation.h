// What `qorv generate --explain` tells of each name: its structure class and length pattern, its
// elements in order with the seed names each occurs in (at the same position when the name kept
// to a length pattern), its first and last two elements with the seed names that begin or end
// with them, and the candidates turned down before it, each with the reason in words. All of it
// comes from the generator's own facts (NameFacts) and the Chapter's seed rows.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "chapter/chapter.h"
#include "chapter/seed_rows.h"
#include "chapter/statistics.h"
#include "generator/name_facts.h"

namespace qorv {

// Seed names that share something with a name: how many, and the first of them in file order.
struct ExplainedSeeds {
  int Count = 0;
  std::vector<std::string> Names;  // finished form, Windows-1252; at most kExplainedSeedNames
};
inline constexpr int kExplainedSeedNames = 20;

struct ExplainedElement {
  std::string Text;  // upper case, special consonants written out
  bool Vowel = false;
  ExplainedSeeds Seeds;
};

struct ExplainedPair {
  std::string First;
  std::string Second;
  bool Placed = false;  // the generator placed it as one of the seeds' pairs
  ExplainedSeeds Seeds;
};

struct ExplainedRejection {
  std::string Name;    // finished form, Windows-1252
  std::string Rule;    // "repetition", "distance", "share", "history" or "filter"
  std::string Reason;  // in words, Windows-1252
  int NamesAgo = 0;    // the history rule: how many printed names ago the same name came out
};

struct NameExplanation {
  int StructureClass = -1;
  std::string LengthPattern;  // empty: the name kept to no length pattern
  std::vector<ExplainedElement> Elements;
  ExplainedPair Initial;
  ExplainedPair Final;
  std::vector<ExplainedRejection> Rejected;
};

class NameExplainer {
 public:
  // `chapter` is loaded and `stats` is the block its load filled; both outlive the explainer.
  NameExplainer(const TQorvChapter& chapter, const ChapterStatistics& stats);

  // The latest accepted name of `facts` (its Rejected list is not read).
  NameExplanation Explain(const NameFacts& facts) const;
  // A candidate the generator turned down, with the reason in words.
  ExplainedRejection Rejected(const RejectedCandidate& candidate) const;

 private:
  ExplainedSeeds SeedsWith(const ElementRow& elements, int at, bool same_position) const;
  ExplainedSeeds SeedsWithPair(ElementId first, ElementId second, bool initial) const;
  std::string ElementText(ElementId id) const;

  const ChapterStatistics& stats_;
  std::vector<SeedRow> seeds_;
  std::vector<std::string> finished_;  // the seed names in finished form, in file order
};

// The explanation as lines for people, each indented by two spaces and ended by a line break;
// texts in UTF-8 or, with `utf8` false, Windows-1252.
std::string ExplanationText(const NameExplanation& explanation, bool utf8);
// The explanation as a JSON object (UTF-8).
nlohmann::ordered_json ExplanationJson(const NameExplanation& explanation);

}  // namespace qorv
