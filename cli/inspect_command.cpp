#include "cli/inspect_command.h"

#include <CLI/CLI.hpp>

#include "chapter/client.h"
#include "chapter/limits.h"
#include "chapter/loader.h"
#include "chapter/option_tags.h"
#include "chapter/tag_reader.h"
#include "cli/chapter_input.h"
#include "cli/chapter_warnings.h"
#include "cli/compose_options.h"
#include "cli/exit_codes.h"
#include "cli/inspect_json.h"
#include "cli/inspect_text.h"
#include "cli/recipe_inspection.h"
#include "text/encoding.h"

namespace qorv {
namespace {

// SOFT and MULTI are switches of the load that the record does not keep; read them again from
// the comment-blanked text with the loader's own rules.
void ReadAnalysisSwitches(const TQorvChapter& chapter, ChapterInspection& inspection) {
  if (const auto spccon = ReadTag(chapter.Text, tag::kSpecialConsonants, kOptionTagLimit)) {
    inspection.soft = ParseSpecialConsonants(*spccon).Soft;
  }
  if (const auto spcvow = ReadTag(chapter.Text, tag::kSpecialVowels, kOptionTagLimit)) {
    inspection.multi = ParseMulti(*spcvow);
  }
}

}  // namespace

CLI::App* AddInspectCommand(CLI::App& app, InspectOptions& options) {
  CLI::App* command =
      app.add_subcommand("inspect", "Load a Chapter file and show what the load made of it");
  command
      ->add_option("CHAPTER", options.chapter_path,
                   "the Chapter file (.qrv), or a recipe (.recipe); - reads standard input")
      ->required();
  command->add_flag("--json", options.json,
                    "print the Chapter and its statistics as one JSON object");
  return command;
}

int RunInspect(const InspectOptions& options, std::ostream& out, std::ostream& err) {
  if (IsRecipePath(options.chapter_path)) return RunInspectRecipe(options, out, err);
  const ChapterInput input = ReadChapterInput(options.chapter_path);
  const int expected_name_count = input.ExpectedNameCount;
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapterFromFile(chapter, input.File, expected_name_count, client);
  const ChapterStatistics& stats = client.Statistics();
  std::vector<std::string> warnings;
  // The bytes as the loader takes them; when the file cannot be read, the load says why.
  if (input.File.Error == 0) {
    const std::string_view raw = std::string_view(input.File.Bytes).substr(0, kMaxFileBytes + 1);
    warnings = ChapterWarnings(raw, chapter, stats, expected_name_count);
  }

  if (!chapter.Loaded) {
    if (options.json) out << FailedChapterJson(chapter.Message).dump() << "\n";
    WriteLoadFailure(err, input, chapter);
    for (const std::string& warning : warnings) {
      err << "qorv: " << input.Name << ": warning: " << warning << "\n";
    }
    return kExitFailure;
  }
  if (options.json) {
    out << LoadedChapterJson(chapter, stats).dump() << "\n";
    return kExitSuccess;
  }
  ChapterInspection inspection{
      chapter, stats, false, false, expected_name_count, std::move(warnings)};
  ReadAnalysisSwitches(chapter, inspection);
  WriteChapterSummary(out, inspection);
  return kExitSuccess;
}

}  // namespace qorv
