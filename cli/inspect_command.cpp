#include "cli/inspect_command.h"

#include <cstdio>
#include <memory>
#include <optional>

#include <CLI/CLI.hpp>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/limits.h"
#include "chapter/loader.h"
#include "chapter/option_tags.h"
#include "chapter/tag_reader.h"
#include "cli/chapter_warnings.h"
#include "cli/encoding.h"
#include "cli/inspect_json.h"
#include "cli/inspect_text.h"

namespace qorv {
namespace {

// The file's bytes as the loader reads them (at most one byte over the limit), for the warnings;
// nullopt when it cannot be read, in which case the load reports why.
std::optional<std::string> ReadRawFile(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) return std::nullopt;
  std::string bytes(kMaxFileBytes + 1, '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

// SOFT and MULTI are switches of the load that the record does not keep; read them again from
// the comment-blanked text with the loader's own rules.
void ReadAnalysisSwitches(const TQorvChapter& chapter, ChapterInspection& inspection) {
  if (const auto spccon = ReadTag(chapter.Text, "SPCCON", kOptionTagLimit)) {
    inspection.soft = ParseSpecialConsonants(*spccon).Soft;
  }
  if (const auto spcvow = ReadTag(chapter.Text, "SPCVOW", kOptionTagLimit)) {
    inspection.multi = ParseMulti(*spcvow);
  }
}

}  // namespace

CLI::App* AddInspectCommand(CLI::App& app, InspectOptions& options) {
  CLI::App* command =
      app.add_subcommand("inspect", "Load a Chapter file and show what the load made of it");
  command->add_option("CHAPTER", options.chapter_path, "the Chapter file (.qrv)")->required();
  command->add_flag("--json", options.json,
                    "print the Chapter and its statistics as one JSON object");
  return command;
}

int RunInspect(const InspectOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& path = options.chapter_path;
  const int expected_name_count = EstimateNameCount(path);
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapter(chapter, path, expected_name_count, client);
  const ChapterStatistics& stats = client.Statistics();
  std::vector<std::string> warnings;
  if (const std::optional<std::string> raw = ReadRawFile(path)) {
    warnings = ChapterWarnings(*raw, chapter, stats, expected_name_count);
  }

  if (!chapter.Loaded) {
    if (options.json) out << FailedChapterJson(chapter.Message).dump() << "\n";
    err << "qorv: " << path << ": " << Cp1252ToUtf8(chapter.Message) << "\n";
    for (const std::string& warning : warnings) {
      err << "qorv: " << path << ": warning: " << warning << "\n";
    }
    return 1;
  }
  if (options.json) {
    out << LoadedChapterJson(chapter, stats).dump() << "\n";
    return 0;
  }
  ChapterInspection inspection{
      chapter, stats, false, false, expected_name_count, std::move(warnings)};
  ReadAnalysisSwitches(chapter, inspection);
  WriteChapterSummary(out, inspection);
  return 0;
}

}  // namespace qorv
