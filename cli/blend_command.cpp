#include "cli/blend_command.h"

#include <charconv>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <random>

#include <CLI/CLI.hpp>

#include "chapter/chapter.h"
#include "chapter/chapter_file.h"
#include "chapter/chapter_format.h"
#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/limits.h"
#include "chapter/loader.h"
#include "chapter/tag_reader.h"
#include "cli/chapter_output.h"
#include "cli/exit_codes.h"
#include "cli/genopt_words.h"
#include "cli/run_files.h"
#include "text/encoding.h"
#include "wordlist/chapter_blend.h"
#include "wordlist/output_file.h"

namespace qorv {
namespace {

int ReportUsage(const std::string& what, const std::string& why, std::ostream& err) {
  err << "qorv: " << what << ": " << why << "\n";
  return kExitUsage;
}

// The weights as numbers, one per input; empty with the reason in `why` when they cannot stand.
std::vector<double> ParseWeights(const std::string& given, std::size_t inputs, std::string& why) {
  if (given.empty()) return std::vector<double>(inputs, 1.0);
  std::vector<double> weights;
  std::size_t from = 0;
  while (true) {
    const std::size_t comma = std::min(given.find(',', from), given.size());
    const std::string word = given.substr(from, comma - from);
    double weight = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), weight);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() ||
        !(weight >= 0) || weight > 1e9) {
      why = "\"" + word + "\" is not a number of 0 or more";
      return {};
    }
    weights.push_back(weight);
    if (comma == given.size()) break;
    from = comma + 1;
  }
  if (weights.size() != inputs) {
    why = std::to_string(weights.size()) + " weights for " + std::to_string(inputs) +
          " Chapters; give one for each, as in 70,30";
    return {};
  }
  double sum = 0;
  for (double weight : weights) sum += weight;
  if (sum <= 0) {
    why = "the weights add up to 0";
    return {};
  }
  return weights;
}

// A file name as plain ASCII for the comment line.
std::string AsciiName(const std::string& path) {
  std::string name = std::filesystem::path(path).filename().string();
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) c = '?';
  }
  return name;
}

ChapterHeader MakeHeader(const ChapterBlendOptions& options,
                         const std::vector<TQorvChapter>& loaded, const std::string& first_genopt,
                         std::uint64_t seed) {
  ChapterHeader header;
  for (const TQorvChapter& chapter : loaded) {
    header.Title += (header.Title.empty() ? "" : " / ") + chapter.Title;
  }
  if (header.Title.size() > kHeaderTagLimit) header.Title.resize(kHeaderTagLimit);
  if (!TagValueProblem(header.Title, kHeaderTagLimit, false).empty()) header.Title = "Blend";
  header.Line1 = "A blend of " + std::to_string(loaded.size()) + " Chapters";
  header.Line2 = options.weights.empty() ? "In equal shares" : "In shares " + options.weights;
  if (header.Line2.size() > kHeaderTagLimit) header.Line2.resize(kHeaderTagLimit);
  header.Date = Today();
  header.Options = options.options.value_or(first_genopt);
  // A value read across lines keeps its words; a one-line tag cannot hold the line break.
  for (char& c : header.Options) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  header.Comment = "Made with qorv chapter blend from";
  for (const std::string& input : options.inputs) header.Comment += " " + AsciiName(input);
  header.Comment += " with seed " + std::to_string(seed);
  return header;
}

}  // namespace

CLI::App* AddBlendCommand(CLI::App& chapter, ChapterBlendOptions& options) {
  CLI::App* blend = chapter.add_subcommand(
      "blend", "Make a Chapter whose seed names are drawn from several Chapters in given shares");
  blend->add_option("CHAPTERS", options.inputs, "the Chapter files to draw from (two or more)")
      ->required();
  blend
      ->add_option("-o,--output", options.output,
                   "the Chapter file to write (- for standard output)")
      ->required();
  blend->add_option("--weights", options.weights,
                    "the shares of the Chapters in order, e.g. 70,30 (default: equal shares)");
  blend->add_option("--options", options.options,
                    "the GENOPT keywords (default: the first Chapter's)");
  blend->add_option("--seed", options.seed, "the seed of the draw (default: drawn afresh)");
  blend->add_flag("--force", options.force, "replace an existing regular output file");
  return blend;
}

int RunBlend(const ChapterBlendOptions& options, std::ostream& out, std::ostream& err) {
  if (options.inputs.size() < 2) {
    return ReportUsage("CHAPTERS", "a blend needs two Chapters or more", err);
  }
  std::string why;
  const std::vector<double> weights = ParseWeights(options.weights, options.inputs.size(), why);
  if (weights.empty()) return ReportUsage("--weights", why, err);
  if (options.options) {
    if (std::string problem = GenOptWordsProblem(*options.options); !problem.empty()) {
      return ReportUsage("--options", problem, err);
    }
    if (std::string problem = TagValueProblem(*options.options, kOptionTagLimit, true);
        !problem.empty()) {
      return ReportUsage("--options", "the GENOPT value " + problem, err);
    }
  }
  std::vector<RunFile> files;
  for (const std::string& input : options.inputs) {
    files.push_back(
        {"the Chapter", input == kStandardStreamArgument ? kStandardInputPath : input, false});
  }
  files.push_back({"-o", options.output, true});
  if (const int refused = CheckRunFiles(files, err)) return refused;
  if (!options.force && options.output != kStandardStreamArgument && PathExists(options.output)) {
    return ReportExisting(options.output, err);
  }

  // Each input loaded by the loader, as the desktop program would load it.
  std::vector<TQorvChapter> loaded(options.inputs.size());
  std::vector<BlendInput> inputs;
  std::string first_genopt;
  for (std::size_t i = 0; i < options.inputs.size(); ++i) {
    const std::string& path = options.inputs[i];
    const FileBytes file = ReadChapterFile(path);
    if (file.Error != 0) {
      err << "qorv: " << path << ": " << std::strerror(file.Error) << "\n";
      return kExitFailure;
    }
    PlainChapterClient client;
    LoadChapterFromFile(loaded[i], file, EstimateNameCountInText(file.Bytes), client);
    if (!loaded[i].Loaded) {
      err << "qorv: " << path << ": does not load: " << Cp1252ToUtf8(loaded[i].Message) << "\n";
      return kExitFailure;
    }
    inputs.push_back({path, loaded[i].Text, loaded[i].YMode, loaded[i].UMode, weights[i]});
    if (i == 0)
      first_genopt = ReadTag(loaded[i].Text, tag::kGenerationOptions, kOptionTagLimit).value_or("");
  }

  const std::uint64_t seed = options.seed ? *options.seed : std::random_device()();
  const ChapterHeader header = MakeHeader(options, loaded, first_genopt, seed);
  const BlendedChapter blend = BlendChapters(inputs, header, options.options.has_value(), seed);
  for (const std::string& note : blend.Notes) err << "qorv: " << note << "\n";
  if (blend.Fitted.Kept.empty()) {
    err << "qorv: no name to draw; nothing was written\n";
    return kExitFailure;
  }
  if (!blend.Fitted.Load) {
    err << "qorv: " << OutputLabel(options.output) << ": the blend would not load ("
        << Cp1252ToUtf8(blend.Fitted.Load.error().message) << "); nothing was written\n";
    return kExitFailure;
  }
  if (const int status = WriteChapter(options.output, blend.Fitted.Text, options.force, out, err)) {
    return status;
  }
  std::ostream& summary = SummaryStream(options.output, out, err);
  summary << OutputLabel(options.output) << ": " << blend.Fitted.Kept.size() << " names";
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    summary << (i == 0 ? ": " : ", ") << blend.Taken[i] << " from " << options.inputs[i];
  }
  summary << "; " << blend.Names.size() - blend.Fitted.Kept.size() << " left out; seed " << seed
          << "\n";
  return kExitSuccess;
}

}  // namespace qorv
