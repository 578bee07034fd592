#include "cli/check_command.h"

#include <cstdio>
#include <ostream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "chapter/client.h"
#include "chapter/loader.h"
#include "cli/chapter_check.h"
#include "cli/chapter_input.h"
#include "cli/exit_codes.h"
#include "text/encoding.h"

namespace qorv {
namespace {

std::string Fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Percent(double share) {
  return Fixed(100 * share, 1);
}

// A double for JSON, rounded as the text shows it.
double Rounded(double value, int decimals) {
  return std::stod(Fixed(value, decimals));
}

std::string Switches(const GenerationRequest& request) {
  std::string words;
  for (const auto& [on, word] : {std::pair{request.Structural, "STRUCTGEN"},
                                 {request.Statistical, "STATGEN"},
                                 {request.Prefixes, "PREFIX"},
                                 {request.Suffixes, "SUFFIX"}}) {
    if (on) words += words.empty() ? word : std::string(" ") + word;
  }
  return words.empty() ? "none" : words;
}

std::string Joined(const std::vector<std::string>& names, const char* between = ", ") {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : between) + Cp1252ToUtf8(name);
  return text;
}

void WriteUses(std::ostream& out, const char* label, const std::vector<SeedLetterUse>& uses) {
  out << "  " << label << ":";
  if (uses.empty()) out << " none";
  for (std::size_t i = 0; i < uses.size(); ++i) {
    out << (i == 0 ? " " : "; ") << Cp1252ToUtf8(uses[i].Letters) << " (" << Joined(uses[i].Seeds)
        << ")";
  }
  out << "\n";
}

void WriteSeeds(std::ostream& out, const SeedFacts& seeds) {
  out << "Seeds: " << seeds.Count << " names: " << SeedCountVerdict(seeds.Count)
      << " (under 30 too few, under 100 few, 100 to 1000 good)\n";
  out << "  mean length " << Fixed(seeds.MeanLength, 2) << " letters, typicality "
      << Fixed(seeds.MeanBits, 2) << " bits per letter (nine in ten within "
      << Fixed(seeds.TypicalBar, 2) << ")\n";
  out << "  the same after folding case and accents:";
  if (seeds.SameAfterFolding.empty()) out << " none";
  for (std::size_t i = 0; i < seeds.SameAfterFolding.size(); ++i) {
    out << (i == 0 ? " " : "; ") << Joined(seeds.SameAfterFolding[i], " = ");
  }
  out << "\n  lengths far from the rest: "
      << (seeds.FarLengths.empty() ? "none" : Joined(seeds.FarLengths)) << "\n";
  WriteUses(out, "letters only one or two seeds use", seeds.RareLetters);
  WriteUses(out, "doubled letters only one or two seeds use", seeds.RareDoubles);
  out << "  tripled letters: " << (seeds.Tripled.empty() ? "none" : Joined(seeds.Tripled)) << "\n";
}

void WriteVarieties(std::ostream& out, const std::vector<Variety>& varieties) {
  out << "Variety: the different elements that follow each element\n";
  for (const Variety& variety : varieties) {
    out << "  "
        << (variety.Position < 0 ? std::string("anywhere")
                                 : "at element " + std::to_string(variety.Position + 1))
        << ": " << variety.Elements << " elements, mean " << Fixed(variety.MeanFollowers, 2)
        << " followers, " << Percent(variety.OneFollowerShare) << " % with only one\n";
  }
}

void WriteFiguresRow(std::ostream& out, const std::string& label, const SampleFigures& figures) {
  char row[160];
  std::snprintf(row, sizeof row, "  %-18s %7s %7s %13s %11s %11s\n", label.c_str(),
                Percent(figures.Unique).c_str(), Percent(figures.Novel).c_str(),
                Percent(figures.NotPart).c_str(), Fixed(figures.MeanLength, 2).c_str(),
                Fixed(figures.MeanBits, 2).c_str());
  out << row;
}

void WriteFiguresHeader(std::ostream& out, const char* first) {
  char row[160];
  std::snprintf(row, sizeof row, "  %-18s %7s %7s %13s %11s %11s\n", first, "unique%", "novel%",
                "not-a-piece%", "mean length", "bits/letter");
  out << row;
}

std::string ShortNames(const SampleFigures& figures, int asked) {
  return figures.Names < asked ? " (" + std::to_string(figures.Names) + " names found)" : "";
}

void WriteLevels(std::ostream& out, const ChapterCheck& check) {
  out << "What it makes: " << check.SampleNames
      << " names for each level and validation, the random source's seed 1, the switches as the "
         "Chapter suggests ("
      << Switches(check.OwnRequest) << "); the seeds' mean length "
      << Fixed(check.Seeds.MeanLength, 2) << ", typicality " << Fixed(check.Seeds.MeanBits, 2)
      << "\n";
  WriteFiguresHeader(out, "level validation");
  for (const SampleFigures& figures : check.Levels) {
    WriteFiguresRow(out,
                    std::to_string(figures.Request.GenerationLevel) + "     " +
                        std::to_string(figures.Request.ValidationLevel) +
                        ShortNames(figures, check.SampleNames),
                    figures);
  }
  out << "Capacity: " << check.Capacity << " distinct novel names in a run of " << check.CapacityRun
      << " (level " << check.OwnRequest.GenerationLevel << ", validation "
      << check.OwnRequest.ValidationLevel << ", " << Switches(check.OwnRequest) << ")\n";
}

void WriteSuggestion(std::ostream& out, const ChapterCheck& check) {
  out << "Suggested options (as qorv chapter new chooses them for a list of " << check.Seeds.Count
      << " names):\n";
  out << "GENOPT \"" << check.SuggestedGenOpt << "\";\n";
  WriteFiguresHeader(out, "");
  WriteFiguresRow(out, "suggested" + ShortNames(check.Suggested, check.SampleNames),
                  check.Suggested);
}

nlohmann::ordered_json FiguresJson(const SampleFigures& figures) {
  const GenerationRequest& request = figures.Request;
  return {{"level", request.GenerationLevel},
          {"validation", request.ValidationLevel},
          {"structural", request.Structural},
          {"statistical", request.Statistical},
          {"prefixes", request.Prefixes},
          {"suffixes", request.Suffixes},
          {"names", figures.Names},
          {"unique_percent", Rounded(100 * figures.Unique, 1)},
          {"novel_percent", Rounded(100 * figures.Novel, 1)},
          {"not_a_piece_percent", Rounded(100 * figures.NotPart, 1)},
          {"mean_length", Rounded(figures.MeanLength, 2)},
          {"bits_per_letter", Rounded(figures.MeanBits, 2)}};
}

nlohmann::ordered_json UsesJson(const std::vector<SeedLetterUse>& uses) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const SeedLetterUse& use : uses) {
    nlohmann::ordered_json seeds = nlohmann::ordered_json::array();
    for (const std::string& seed : use.Seeds) seeds.push_back(Cp1252ToUtf8(seed));
    list.push_back({{"letters", Cp1252ToUtf8(use.Letters)}, {"seeds", seeds}});
  }
  return list;
}

nlohmann::ordered_json NamesJson(const std::vector<std::string>& names) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const std::string& name : names) list.push_back(Cp1252ToUtf8(name));
  return list;
}

nlohmann::ordered_json CheckJson(const ChapterCheck& check) {
  const SeedFacts& seeds = check.Seeds;
  nlohmann::ordered_json folded = nlohmann::ordered_json::array();
  for (const auto& group : seeds.SameAfterFolding) folded.push_back(NamesJson(group));
  nlohmann::ordered_json varieties = nlohmann::ordered_json::array();
  for (const Variety& variety : check.Varieties) {
    nlohmann::ordered_json entry;
    if (variety.Position >= 0) entry["element"] = variety.Position + 1;
    entry["elements"] = variety.Elements;
    entry["mean_followers"] = Rounded(variety.MeanFollowers, 2);
    entry["one_follower_percent"] = Rounded(100 * variety.OneFollowerShare, 1);
    varieties.push_back(entry);
  }
  nlohmann::ordered_json levels = nlohmann::ordered_json::array();
  for (const SampleFigures& figures : check.Levels) levels.push_back(FiguresJson(figures));
  nlohmann::ordered_json own = FiguresJson({check.OwnRequest});
  nlohmann::ordered_json capacity = {
      {"run", check.CapacityRun},        {"distinct_novel_names", check.Capacity},
      {"level", own["level"]},           {"validation", own["validation"]},
      {"structural", own["structural"]}, {"statistical", own["statistical"]},
      {"prefixes", own["prefixes"]},     {"suffixes", own["suffixes"]}};
  return {{"seeds",
           {{"count", seeds.Count},
            {"verdict", SeedCountVerdict(seeds.Count)},
            {"mean_length", Rounded(seeds.MeanLength, 2)},
            {"bits_per_letter", Rounded(seeds.MeanBits, 2)},
            {"typical_bar", Rounded(seeds.TypicalBar, 2)},
            {"same_after_folding", folded},
            {"far_lengths", NamesJson(seeds.FarLengths)},
            {"rare_letters", UsesJson(seeds.RareLetters)},
            {"rare_doubled_letters", UsesJson(seeds.RareDoubles)},
            {"tripled_letters", NamesJson(seeds.Tripled)}}},
          {"variety", varieties},
          {"sample_names", check.SampleNames},
          {"levels", levels},
          {"capacity", capacity},
          {"suggested",
           {{"genopt", check.SuggestedGenOpt}, {"figures", FiguresJson(check.Suggested)}}}};
}

}  // namespace

CLI::App* AddCheckCommand(CLI::App& chapter, ChapterCheckOptions& options) {
  CLI::App* check = chapter.add_subcommand(
      "check",
      "Report how good a Chapter's seed names are, what it makes and the options it suits");
  check
      ->add_option("CHAPTER", options.chapter_path,
                   "the Chapter file (.qrv); - reads standard input")
      ->required();
  check->add_flag("--json", options.json, "print the report as one JSON object");
  return check;
}

int RunCheck(const ChapterCheckOptions& options, std::ostream& out, std::ostream& err) {
  const ChapterInput input = ReadChapterInput(options.chapter_path);
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapterFromFile(chapter, input.File, input.ExpectedNameCount, client);
  if (!chapter.Loaded) {
    WriteLoadFailure(err, input, chapter);
    return kExitFailure;
  }
  const ChapterCheck check = CheckChapter(chapter, client.Statistics());
  if (options.json) {
    out << CheckJson(check).dump() << "\n";
    return kExitSuccess;
  }
  out << "Chapter: " << Cp1252ToUtf8(chapter.Title) << " (" << input.Name << ")\n";
  WriteSeeds(out, check.Seeds);
  WriteVarieties(out, check.Varieties);
  WriteLevels(out, check);
  WriteSuggestion(out, check);
  return kExitSuccess;
}

}  // namespace qorv
