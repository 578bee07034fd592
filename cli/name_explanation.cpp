#include "cli/name_explanation.h"

#include <algorithm>
#include <array>
#include <span>

#include "chapter/letter_statistics.h"
#include "chapter/letters.h"
#include "generator/finishing.h"
#include "text/encoding.h"

namespace qorv {
namespace {

// Seed names a text line shows before "and N more".
constexpr std::size_t kSeedNamesInText = 5;

std::string Letter(char c) {
  return std::string("\"") + c + '"';
}

// The first four letters that come twice, as validation finds them.
std::string RepetitionReason(const std::string& text) {
  for (std::size_t i = 0; i + 5 <= text.size(); ++i) {
    for (std::size_t j = i + 1; j + 5 <= text.size(); ++j) {
      if (text.compare(i, 4, text, j, 4) == 0) {
        return "the letters \"" + text.substr(i, 4) + "\" come twice";
      }
    }
  }
  return "four letters come twice";
}

// The first letter that comes again closer than in any seed name, as validation finds it.
std::string DistanceReason(const ChapterStatistics& stats, const std::string& text, char letter) {
  const int closest = stats.MinRepeatDistance[static_cast<std::size_t>(LetterIndex(letter))];
  for (std::size_t j = 0; j + 2 < text.size(); ++j) {
    if (text[j] != letter) continue;
    const std::size_t k = text.find(letter, j + 2);
    if (k == std::string::npos) break;
    if (static_cast<int>(k - j) >= closest) continue;
    if (k == j + 2 && text[j + 1] == letter) return "three equal letters in a row";
    return Letter(letter) + " comes again " + std::to_string(k - j) +
           " letters on, closer than in any seed name" +
           (closest >= 255 ? " (no seed name has it twice but doubled)"
                           : " (" + std::to_string(closest) + " at the closest)");
  }
  return Letter(letter) + " comes again closer than in any seed name";
}

std::string ShareReason(const ChapterStatistics& stats, const std::string& text, char letter) {
  int count = 0;
  for (const char c : text) count += c == letter ? 1 : 0;
  const int share = static_cast<int>(LetterShare(count, static_cast<int>(text.size())));
  const int highest = stats.MaxLetterPercent[static_cast<std::size_t>(LetterIndex(letter))];
  return Letter(letter) + " makes up " + std::to_string(share) +
         " % of the name, more than of any seed name (" + std::to_string(highest) +
         " % at the most)";
}

const char* RuleName(Rejection::Rule rule) {
  switch (rule) {
    case Rejection::Rule::kRepetition:
      return "repetition";
    case Rejection::Rule::kDistance:
      return "distance";
    case Rejection::Rule::kShare:
      return "share";
    case Rejection::Rule::kHistory:
      break;
  }
  return "history";
}

void AddSeed(ExplainedSeeds& seeds, const std::string& name) {
  if (seeds.Names.size() < static_cast<std::size_t>(kExplainedSeedNames)) {
    seeds.Names.push_back(name);
  }
  ++seeds.Count;
}

std::string SeedList(const ExplainedSeeds& seeds, const std::string& where) {
  if (seeds.Count == 0) return "in no seed name";
  std::string line = where + " " + std::to_string(seeds.Count) +
                     (seeds.Count == 1 ? " seed name: " : " seed names: ");
  const std::size_t shown = std::min(kSeedNamesInText, seeds.Names.size());
  for (std::size_t i = 0; i < shown; ++i) line += (i ? ", " : "") + seeds.Names[i];
  if (static_cast<std::size_t>(seeds.Count) > shown) {
    line += " and " + std::to_string(static_cast<std::size_t>(seeds.Count) - shown) + " more";
  }
  return line;
}

std::string PairLine(const char* which, const ExplainedPair& pair, const char* where) {
  return std::string(which) + " pair \"" + pair.First + "\" + \"" + pair.Second + "\"" +
         (pair.Placed ? ", placed as a seed's pair" : "") + ": " + SeedList(pair.Seeds, where);
}

nlohmann::ordered_json SeedsJson(const ExplainedSeeds& seeds, nlohmann::ordered_json object) {
  object["seed_count"] = seeds.Count;
  object["seeds"] = nlohmann::ordered_json::array();
  for (const std::string& name : seeds.Names) object["seeds"].push_back(Cp1252ToUtf8(name));
  return object;
}

nlohmann::ordered_json PairJson(const ExplainedPair& pair) {
  nlohmann::ordered_json object;
  object["elements"] = {Cp1252ToUtf8(pair.First), Cp1252ToUtf8(pair.Second)};
  object["placed"] = pair.Placed;
  return SeedsJson(pair.Seeds, std::move(object));
}

}  // namespace

NameExplainer::NameExplainer(const TQorvChapter& chapter, const ChapterStatistics& stats)
    : stats_(stats), seeds_(SeedRows(chapter)) {
  for (const SeedRow& seed : seeds_)
    finished_.push_back(FinishedName(seed.Name, chapter.PunctMode));
}

std::string NameExplainer::ElementText(ElementId id) const {
  const std::array<ElementId, 2> row = {id, kEndOfRow};
  return AssembleCandidate(std::span<const ElementId>(row), stats_);
}

ExplainedSeeds NameExplainer::SeedsWith(const ElementRow& elements, int at,
                                        bool same_position) const {
  ExplainedSeeds seeds;
  const ElementId id = elements[static_cast<std::size_t>(at)];
  for (std::size_t s = 0; s < seeds_.size(); ++s) {
    const ElementRow& row = seeds_[s].Elements;
    const auto begin = row.begin();
    const auto end = begin + ElementCount(row);
    const bool found =
        same_position ? at < end - begin && begin[at] == id : std::find(begin, end, id) != end;
    if (found) AddSeed(seeds, finished_[s]);
  }
  return seeds;
}

ExplainedSeeds NameExplainer::SeedsWithPair(ElementId first, ElementId second, bool initial) const {
  ExplainedSeeds seeds;
  for (std::size_t s = 0; s < seeds_.size(); ++s) {
    const ElementRow& row = seeds_[s].Elements;
    const int count = ElementCount(row);
    const auto at = static_cast<std::size_t>(initial ? 0 : count - 2);
    if (count >= 2 && row[at] == first && row[at + 1] == second) AddSeed(seeds, finished_[s]);
  }
  return seeds;
}

NameExplanation NameExplainer::Explain(const NameFacts& facts) const {
  NameExplanation explanation;
  explanation.StructureClass = facts.StructureClass;
  if (facts.LengthPattern) explanation.LengthPattern = *facts.LengthPattern;
  const ElementRow& elements = facts.Elements;
  const int count = ElementCount(elements);
  for (int i = 0; i < count; ++i) {
    const ElementId id = elements[static_cast<std::size_t>(i)];
    explanation.Elements.push_back(
        {ElementText(id), IsVowelId(id), SeedsWith(elements, i, facts.LengthPattern != nullptr)});
  }
  if (count >= 2) {
    const auto pair = [&](int at, bool placed, bool initial) {
      const ElementId first = elements[static_cast<std::size_t>(at)];
      const ElementId second = elements[static_cast<std::size_t>(at + 1)];
      return ExplainedPair{ElementText(first), ElementText(second), placed,
                           SeedsWithPair(first, second, initial)};
    };
    explanation.Initial = pair(0, facts.InitialPair, true);
    explanation.Final = pair(count - 2, facts.FinalPair, false);
  }
  return explanation;
}

ExplainedRejection NameExplainer::Rejected(const RejectedCandidate& candidate) const {
  ExplainedRejection rejected{candidate.Name, RuleName(candidate.Why.Broken), {}};
  switch (candidate.Why.Broken) {
    case Rejection::Rule::kRepetition:
      rejected.Reason = RepetitionReason(candidate.Text);
      break;
    case Rejection::Rule::kDistance:
      rejected.Reason = DistanceReason(stats_, candidate.Text, candidate.Why.Letter);
      break;
    case Rejection::Rule::kShare:
      rejected.Reason = ShareReason(stats_, candidate.Text, candidate.Why.Letter);
      break;
    case Rejection::Rule::kHistory:
      rejected.NamesAgo = candidate.NamesAgo;
      rejected.Reason = "the same name came out " + std::to_string(candidate.NamesAgo) +
                        (candidate.NamesAgo == 1 ? " name ago" : " names ago");
      break;
  }
  return rejected;
}

std::string ExplanationText(const NameExplanation& explanation, bool utf8) {
  std::vector<std::string> lines;
  lines.push_back("structure class " + std::to_string(explanation.StructureClass) + ", " +
                  (explanation.LengthPattern.empty()
                       ? std::string("no length pattern")
                       : "length pattern " + explanation.LengthPattern));
  const bool structural = !explanation.LengthPattern.empty();
  for (std::size_t i = 0; i < explanation.Elements.size(); ++i) {
    const ExplainedElement& element = explanation.Elements[i];
    lines.push_back("element " + std::to_string(i + 1) +
                    (element.Vowel ? ", vowel \"" : ", consonant \"") + element.Text +
                    "\": " + SeedList(element.Seeds, structural ? "at this position in" : "in"));
  }
  if (!explanation.Elements.empty()) {
    lines.push_back(PairLine("initial", explanation.Initial, "begins"));
    lines.push_back(PairLine("final", explanation.Final, "ends"));
  }
  for (const ExplainedRejection& rejected : explanation.Rejected) {
    lines.push_back("turned down before it: " + rejected.Name + ": " + rejected.Reason);
  }
  std::string text;
  for (const std::string& line : lines) text += "  " + (utf8 ? Cp1252ToUtf8(line) : line) + '\n';
  return text;
}

nlohmann::ordered_json ExplanationJson(const NameExplanation& explanation) {
  nlohmann::ordered_json object;
  object["structure_class"] = explanation.StructureClass;
  object["length_pattern"] = explanation.LengthPattern.empty()
                                 ? nlohmann::ordered_json(nullptr)
                                 : nlohmann::ordered_json(Cp1252ToUtf8(explanation.LengthPattern));
  object["elements"] = nlohmann::ordered_json::array();
  for (const ExplainedElement& element : explanation.Elements) {
    nlohmann::ordered_json entry;
    entry["text"] = Cp1252ToUtf8(element.Text);
    entry["kind"] = element.Vowel ? "vowel" : "consonant";
    object["elements"].push_back(SeedsJson(element.Seeds, std::move(entry)));
  }
  if (!explanation.Elements.empty()) {
    object["initial_pair"] = PairJson(explanation.Initial);
    object["final_pair"] = PairJson(explanation.Final);
  }
  object["rejected"] = nlohmann::ordered_json::array();
  for (const ExplainedRejection& rejected : explanation.Rejected) {
    nlohmann::ordered_json entry;
    entry["name"] = Cp1252ToUtf8(rejected.Name);
    entry["rule"] = rejected.Rule;
    entry["reason"] = Cp1252ToUtf8(rejected.Reason);
    if (rejected.NamesAgo > 0) entry["names_ago"] = rejected.NamesAgo;
    object["rejected"].push_back(std::move(entry));
  }
  return object;
}

}  // namespace qorv
