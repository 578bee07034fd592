#include "cli/generate_command.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <ostream>
#include <set>

#include <CLI/CLI.hpp>

#include "chapter/letters.h"
#include "chapter/names_list.h"
#include "cli/chapter_input.h"
#include "generator/finishing.h"
#include "generator/initial_letters.h"
#include "io/file_bytes.h"
#include "session/lexicon_session.h"
#include "text/encoding.h"

namespace qorv {
namespace {

// The help groups of the options.
constexpr const char* kGenerationGroup = "Generation";
constexpr const char* kFilterGroup = "Filters (case-insensitive, on the finished names)";
constexpr const char* kOutputGroup = "Output";
constexpr const char* kStoreGroup = "Store";

constexpr std::uint64_t kMaxCount = 4294967295u;

// A whole number of the command line: digits only, within [low, high].
std::uint64_t ParseCount(const std::string& option, const std::string& text, std::uint64_t low,
                         std::uint64_t high) {
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    throw CLI::ValidationError(option, "not a number: " + text);
  }
  // Longer numbers than the highest's digits are out of range whatever they say.
  const std::uint64_t value =
      text.size() > std::to_string(high).size() ? high + 1 : std::stoull(text);
  if (value < low || value > high) {
    throw CLI::ValidationError(
        option, "must be " + std::to_string(low) + " to " + std::to_string(high) + ": " + text);
  }
  return value;
}

// A text of the command line (UTF-8) in Windows-1252.
std::string Cp1252Text(const std::string& option, const std::string& utf8) {
  if (utf8.empty()) throw CLI::ValidationError(option, "must not be empty");
  const std::optional<std::string> text = Utf8ToCp1252(utf8);
  if (!text) throw CLI::ValidationError(option, "Windows-1252 cannot hold " + utf8);
  return *text;
}

// One letter of the command line as a capital: seed names are upper-cased when they load, so a
// small letter means its capital.
char InitialLetter(const std::string& option, const std::string& utf8) {
  const std::optional<Utf8Char> decoded = DecodeUtf8Char(utf8);
  if (!decoded || decoded->length != utf8.size()) {
    throw CLI::ValidationError(option, "must be one letter: " + utf8);
  }
  const std::optional<char> byte = CodePointToCp1252(decoded->code_point);
  if (!byte) {
    throw CLI::ValidationError(option, "Windows-1252, the code page of Chapters, has no " + utf8);
  }
  return AsciiUpper(AccentUpper(*byte));
}

// The seed names in the form a generated name with the same letters would take: upper-cased,
// accent-finished as the Chapter asks, capitalised.
std::set<std::string> FinishedSeedNames(const TQorvChapter& chapter) {
  std::set<std::string> seeds;
  NamesListReader reader(chapter.Text);
  std::string name;
  while (reader.status() == NamesListReader::Status::kReady &&
         reader.Next(name) == NamesListReader::Step::kName) {
    NormaliseName(name);
    seeds.insert(FinishedName(name, chapter.PunctMode));
  }
  return seeds;
}

// The fewest and the most letters a name of the Chapter can have: every name has two to
// MaxElementsPerName elements, each as long as its finished text. Accent finishing may join two
// letters into one, and an element of apostrophes or hyphens alone counts no letter.
struct LengthBounds {
  std::size_t Shortest = 0;
  std::size_t Longest = 0;
};

LengthBounds PossibleLengths(const TQorvChapter& chapter, const ChapterStatistics& stats) {
  std::size_t longest_element = 0;
  bool letterless_element = false;
  const auto measure = [&](const std::string& coded) {
    std::string text = coded;
    ExpandSpecialConsonants(text, stats);
    ExpandSoftConsonants(text);
    const std::size_t letters = CountedLetters(text);
    longest_element = std::max(longest_element, letters);
    letterless_element = letterless_element || letters == 0;
  };
  for (int v = 0; v < chapter.VowelElementCount; ++v) measure(stats.VowelElements[v]);
  for (int k = 0; k < chapter.ConsonantElementCount; ++k) measure(stats.ConsonantElements[k]);
  LengthBounds bounds;
  bounds.Shortest = letterless_element ? 0 : chapter.PunctMode != 0 ? 1 : 2;
  bounds.Longest = longest_element * static_cast<std::size_t>(stats.MaxElementsPerName);
  return bounds;
}

// Why the filters can refuse every name of the Chapter, or an empty text when they need not.
std::string ImpossibleFilter(const GenerateOptions& options, char initial,
                             const TQorvChapter& chapter, const ChapterStatistics& stats) {
  if (initial != '*') {
    const std::string letters = PossibleInitialLetters(chapter, stats);
    if (letters.find(initial) == std::string::npos) {
      return "no name can begin with " + Cp1252ToUtf8(std::string(1, initial)) +
             "; initial letters: " + Cp1252ToUtf8(letters);
    }
  }
  const NameFilterOptions& filters = options.filters;
  const LengthBounds bounds = PossibleLengths(chapter, stats);
  if (filters.max_length && *filters.max_length < bounds.Shortest) {
    return "no name has fewer than " + std::to_string(bounds.Shortest) + " letters";
  }
  if (filters.min_length && *filters.min_length > bounds.Longest) {
    return "no name has more than " + std::to_string(bounds.Longest) + " letters";
  }
  return {};
}

// What the generator reports of the request that made the last accepted name.
NameRecord RecordOfLastName(const std::string& name, int attempts, const GenerationRequest& request,
                            const TQorvChapter& chapter, const ChapterStatistics& stats) {
  NameRecord record{name};
  record.Attempts = attempts;
  record.StructureClass = chapter.RequestClass;
  // The name kept to the request's length pattern unless the request had given it up.
  if (request.Structural && chapter.RequestPatternDrawn &&
      chapter.AttemptCount <= kPatternUntilAttempt) {
    record.LengthPattern = &stats.StructurePatterns[chapter.RequestClass][chapter.RequestPattern];
  }
  return record;
}

void WriteShare(std::ostream& err, const std::string& label, long long part, long long whole) {
  err << "  " << std::left << std::setw(26) << label << std::right << std::setw(9) << part
      << std::setw(8) << std::fixed << std::setprecision(1)
      << (whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0) << " %\n";
}

void WriteStats(std::ostream& err, const AttemptCounts& counts, int seed_equal,
                const NameFilterOptions& options, const NameFilters& filters) {
  const long long attempts = counts.Attempts();
  err << "qorv: " << counts.Accepted << " names from " << attempts << " attempts (" << std::fixed
      << std::setprecision(2)
      << (counts.Accepted ? static_cast<double>(attempts) / static_cast<double>(counts.Accepted)
                          : 0.0)
      << " attempts per name)\n";
  WriteShare(err, "accepted", counts.Accepted, attempts);
  WriteShare(err, "no candidate (NOOPT)", counts.NoCandidate, attempts);
  WriteShare(err, "request given up", counts.GaveUp, attempts);
  WriteShare(err, "rejected !REP", counts.Repetition, attempts);
  WriteShare(err, "rejected !DIST", counts.Distance, attempts);
  WriteShare(err, "rejected !FREQ", counts.Share, attempts);
  WriteShare(err, "rejected !HIST", counts.History, attempts);
  WriteShare(err, "names equal to a seed name", seed_equal, counts.Accepted);
  if (!options.Any()) return;
  for (int i = 0; i < kNameFilterCount; ++i) {
    const long long refused = filters.Refused()[static_cast<std::size_t>(i)];
    if (refused == 0) continue;
    WriteShare(err, std::string("refused by ") + NameFilterOption(static_cast<NameFilter>(i)),
               refused, counts.Accepted);
  }
}

// Where the names go: standard output, or the file of -o.
class NameOutput {
 public:
  NameOutput(std::ostream& out, const std::string& path) : path_(path) {
    if (path.empty()) {
      stream_ = &out;
      return;
    }
    file_.open(path, std::ios::binary | std::ios::trunc);
    if (!file_) error_ = errno;
    stream_ = &file_;
  }

  std::ostream& Stream() { return *stream_; }
  bool IsStandardOutput() const { return path_.empty(); }
  const std::string& Name() const { return path_; }

  // 0, or the errno of the write that failed.
  int Error() {
    if (error_ == 0 && stream_->fail()) error_ = errno != 0 ? errno : EIO;
    return error_;
  }

  int Finish() {
    stream_->flush();
    if (file_.is_open()) {
      file_.close();
      if (file_.fail() && error_ == 0) error_ = errno != 0 ? errno : EIO;
    }
    return Error();
  }

 private:
  std::string path_;
  std::ofstream file_;
  std::ostream* stream_ = nullptr;
  int error_ = 0;
};

// An output file that could not be written: its name and the reason. Standard output's failure
// is told by the caller, who sees the stream's own reason (OutputFailed).
int OutputNotWritten(std::ostream& err, const NameOutput& output, int error) {
  if (!output.IsStandardOutput())
    err << "qorv: " << output.Name() << ": " << std::strerror(error) << '\n';
  return kExitOutputNotWritten;
}

int StoreFailed(const StoreError& error, std::ostream& out, std::ostream& err) {
  out.flush();
  err << "qorv: " << error.Text() << "\n";
  return kExitOutputNotWritten;
}

}  // namespace

GenerationRequest MakeRequest(const GenerateOptions& options, const TQorvChapter& chapter) {
  GenerationRequest request;
  if (options.automatic) {
    request = SuggestedRequest(chapter);
  } else {
    request.GenerationLevel = options.level;
    request.ValidationLevel = options.validation;
    request.Structural = options.structural;
    request.Statistical = options.statistical;
    request.Prefixes = options.prefixes;
    request.Suffixes = options.suffixes;
  }
  request.InitialLetter = options.initial;
  return request;
}

CLI::App* AddGenerateCommand(CLI::App& app, GenerateOptions& options) {
  CLI::App* command = app.add_subcommand("generate", "Invent names from a Chapter's seed names");
  command
      ->add_option("CHAPTER", options.chapter_path,
                   "the Chapter file (.qrv); - reads standard input")
      ->required();

  command
      ->add_option_function<std::string>(
          "-n,--count",
          [&options](const std::string& text) {
            options.count = static_cast<std::uint32_t>(ParseCount("--count", text, 1, kMaxCount));
          },
          "how many names (1..4294967295, default 10)")
      ->type_name("N")
      ->group(kGenerationGroup);
  const auto level_option = [&](const char* name, int& value, int highest,
                                const char* description) {
    return command
        ->add_option_function<std::string>(
            name,
            [name, &value, highest](const std::string& text) {
              // "-g,--level" is reported as "--level".
              const std::string shown = std::string(name).substr(std::string(name).find(',') + 1);
              value =
                  static_cast<int>(ParseCount(shown, text, 0, static_cast<std::uint64_t>(highest)));
            },
            description)
        ->type_name("0.." + std::to_string(highest))
        ->group(kGenerationGroup);
  };
  auto* level = level_option("-g,--level", options.level, 3, "generation level (default 0)");
  auto* validation =
      level_option("-v,--validation", options.validation, 2, "validation level (default 0)");
  auto* structural =
      command->add_flag("--structural", options.structural, "keep to a seed name's lengths")
          ->group(kGenerationGroup);
  auto* statistical =
      command->add_flag("--statistical", options.statistical, "choose elements by frequency")
          ->group(kGenerationGroup);
  auto* prefixes =
      command->add_flag("--prefixes", options.prefixes, "begin like a seed name (initial pair)")
          ->group(kGenerationGroup);
  auto* suffixes =
      command->add_flag("--suffixes", options.suffixes, "end like a seed name (final pair)")
          ->group(kGenerationGroup);
  auto* automatic =
      command
          ->add_flag("--auto", options.automatic,
                     "level, validation and switches from the Chapter's GENOPT (not with them)")
          ->group(kGenerationGroup);
  auto* initial = command
                      ->add_option_function<std::string>(
                          "-i,--initial",
                          [&options](const std::string& letter) {
                            options.initial = InitialLetter("--initial", letter);
                          },
                          "the first letter of every name (default *: any letter)")
                      ->type_name("LETTER")
                      ->group(kGenerationGroup);
  command
      ->add_option_function<std::string>(
          "--seed",
          [&options](const std::string& text) {
            options.seed = static_cast<std::uint32_t>(ParseCount("--seed", text, 0, kMaxCount));
          },
          "seed of the random source (0..4294967295; default: the clock)")
      ->type_name("S")
      ->group(kGenerationGroup);
  command->add_option("--log", options.log_path, "write the generation log to FILE")
      ->type_name("FILE")
      ->group(kGenerationGroup);

  NameFilterOptions& filters = options.filters;
  command->add_flag("--unique", filters.unique, "no name twice in the whole run")
      ->group(kFilterGroup);
  command->add_flag("--novel", filters.novel, "no name equal to a seed name")->group(kFilterGroup);
  const auto length_option = [&](const char* name, std::optional<std::uint32_t>& value,
                                 const char* description) {
    command
        ->add_option_function<std::string>(
            name,
            [name, &value](const std::string& text) {
              value = static_cast<std::uint32_t>(ParseCount(name, text, 0, kMaxCount));
            },
            description)
        ->type_name("N")
        ->group(kFilterGroup);
  };
  length_option("--min-length", filters.min_length,
                "at least N letters (apostrophes and hyphens not counted)");
  length_option("--max-length", filters.max_length,
                "at most N letters (apostrophes and hyphens not counted)");
  const auto text_option = [&](const char* name, std::string& value, const char* description) {
    return command
        ->add_option_function<std::string>(
            name, [name, &value](const std::string& text) { value = Cp1252Text(name, text); },
            description)
        ->type_name("TEXT")
        ->group(kFilterGroup);
  };
  auto* starts_with = text_option("--starts-with", filters.starts_with,
                                  "names that begin with TEXT (one letter: the same as -i)");
  text_option("--ends-with", filters.ends_with, "names that end with TEXT");
  text_option("--contains", filters.contains, "names that hold TEXT");
  command
      ->add_option_function<std::vector<std::string>>(
          "--exclude",
          [&filters](const std::vector<std::string>& texts) {
            for (const std::string& text : texts) {
              filters.excludes.push_back(Cp1252Text("--exclude", text));
            }
          },
          "no name that holds TEXT (may be given again)")
      ->type_name("TEXT")
      ->group(kFilterGroup);

  auto* format =
      command
          ->add_option_function<std::string>(
              "--format",
              [&options](const std::string& name) {
                if (name != "text" && name != "json" && name != "csv") {
                  throw CLI::ValidationError("--format", "text, json or csv, not " + name);
                }
                options.format = name == "json"  ? NameFormat::kJson
                                 : name == "csv" ? NameFormat::kCsv
                                                 : NameFormat::kText;
              },
              "text (one name per line, the default), json (one object per line) or csv")
          ->type_name("text|json|csv")
          ->group(kOutputGroup);
  command->add_option("-o,--output", options.output_path, "write the names to FILE")
      ->type_name("FILE")
      ->group(kOutputGroup);
  auto* encoding =
      command
          ->add_option_function<std::string>(
              "--encoding",
              [&options](const std::string& name) {
                if (name != "utf-8" && name != "cp1252") {
                  throw CLI::ValidationError("--encoding", "utf-8 or cp1252, not " + name);
                }
                options.encoding = name == "cp1252" ? GenerateOptions::Encoding::kCp1252
                                                    : GenerateOptions::Encoding::kUtf8;
              },
              "utf-8 (the default) or cp1252, for text and csv")
          ->type_name("utf-8|cp1252")
          ->group(kOutputGroup);
  command
      ->add_flag("--stats", options.stats,
                 "report on stderr what became of the attempts, the names equal to a seed and "
                 "the names each filter refused")
      ->group(kOutputGroup);

  auto* store =
      command
          ->add_flag("--store", options.store,
                     "append the names to STORED.txt in the current directory, after a dated "
                     "title line")
          ->group(kStoreGroup);
  auto* trailing_line = command
                            ->add_flag("--trailing-line", options.trailing_line,
                                       "with --store: follow each stored name with a line of "
                                       "underscores")
                            ->group(kStoreGroup);

  // Combinations the options cannot take, checked here rather than through the parser's own
  // rules, which would crowd the help with their lists.
  command->callback([=, &options] {
    if (automatic->count() > 0) {
      for (const CLI::Option* chosen :
           {level, validation, structural, statistical, prefixes, suffixes}) {
        if (chosen->count() > 0) {
          throw CLI::ValidationError("--auto",
                                     "takes the level, validation and switches from "
                                     "the Chapter; " +
                                         chosen->get_name() + " cannot come with it");
        }
      }
    }
    if (trailing_line->count() > 0 && store->count() == 0) {
      throw CLI::ValidationError("--trailing-line", "goes with --store");
    }
    if (format->count() > 0 && options.format == NameFormat::kJson && encoding->count() > 0 &&
        options.encoding == GenerateOptions::Encoding::kCp1252) {
      throw CLI::ValidationError("--encoding", "JSON is always UTF-8");
    }
    const NameFilterOptions& chosen = options.filters;
    if (chosen.min_length && chosen.max_length && *chosen.min_length > *chosen.max_length) {
      throw CLI::ValidationError("--min-length", "is above --max-length");
    }
    if (starts_with->count() > 0 && initial->count() > 0 &&
        options.initial != AsciiUpper(AccentUpper(chosen.starts_with[0]))) {
      throw CLI::ValidationError("--starts-with", "begins with another letter than --initial");
    }
  });
  return command;
}

int RunGenerate(const GenerateOptions& given, std::ostream& out, std::ostream& err,
                const StoreClock& store_clock) {
  GenerateOptions options = given;
  // The first letter of --starts-with is the initial letter the generator keeps to; a single
  // letter is nothing more.
  if (!options.filters.starts_with.empty()) {
    options.initial = AsciiUpper(AccentUpper(options.filters.starts_with[0]));
    if (options.filters.starts_with.size() == 1) options.filters.starts_with.clear();
  }

  LexiconSession::Settings settings;
  settings.LogPath = options.log_path;
  if (options.seed) settings.SeedClock = [seed = *options.seed] { return seed; };
  settings.StoreStamp = store_clock;
  LexiconSession session(std::move(settings));
  const ChapterInput input = ReadChapterInput(options.chapter_path);
  session.SetChapter(session.LoadChapterRead(input.File, input.ExpectedNameCount));
  if (!session.HasLoadedChapter()) {
    WriteLoadFailure(err, input, *session.Chapter());
    return kExitFailure;
  }
  const TQorvChapter& chapter = *session.Chapter();
  const ChapterStatistics& stats = session.Statistics();
  if (const std::string why = ImpossibleFilter(options, options.initial, chapter, stats);
      !why.empty()) {
    err << "qorv: " << input.Name << ": " << why << '\n';
    return kExitUsage;
  }
  // The generation log must be writable before the first name; a later failure to write it
  // stays silent, as the log is a diagnostic.
  if (!options.log_path.empty()) {
    if (const int error = CheckAppendable(options.log_path); error != 0) {
      err << "qorv: " << options.log_path << ": " << std::strerror(error) << '\n';
      return kExitOutputNotWritten;
    }
  }

  NameOutput output(out, options.output_path);
  if (output.Error() != 0) return OutputNotWritten(err, output, output.Error());
  NameWriter writer(output.Stream(), options.format,
                    options.encoding == GenerateOptions::Encoding::kUtf8);

  const GenerationRequest request = MakeRequest(options, chapter);
  const bool need_seeds = options.stats || options.filters.novel;
  const std::set<std::string> seeds =
      need_seeds ? FinishedSeedNames(chapter) : std::set<std::string>{};
  NameFilters filters(options.filters, seeds);

  // One run of the tool is one run of names in the Store, under one title line.
  std::optional<StoreFile> store;
  bool foreign_file_told = false;
  // Says once that a foreign STORED.txt was kept, when opened or (cleared by hand) later.
  const auto tell_foreign_file = [&] {
    if (!store || !store->KeptForeignFile() || foreign_file_told) return;
    err << "qorv: " << kForeignFileKept << '\n';
    foreign_file_told = true;
  };
  if (options.store) {
    store.emplace(session.OpenStore());
    tell_foreign_file();
    if (store->Error()) return StoreFailed(*store->Error(), output.Stream(), err);
  }

  writer.Begin();
  int seed_equal = 0;
  int status = kExitSuccess;
  // Ends the run when a name could not be written; the names before it stay written.
  const auto output_failed = [&] {
    if (output.Error() == 0) return false;
    OutputNotWritten(err, output, output.Error());
    status = kExitOutputNotWritten;
    return true;
  };
  for (std::uint32_t printed = 0; printed < options.count && status == kExitSuccess;) {
    // The attempt limit counts for each printed name, across the names the filters refuse.
    int calls_left = kMaxCallsPerName;
    bool found = false;
    while (!found) {
      int calls = 0;
      const std::optional<std::string> name = session.NextName(
          request, [&calls](int made) { calls = made; }, calls_left);
      calls_left -= calls;
      if (!name) break;
      seed_equal += seeds.contains(*name) ? 1 : 0;
      if (filters.Refusal(*name)) {
        if (calls_left > 0) continue;
        break;
      }
      writer.Write(RecordOfLastName(*name, calls, request, chapter, stats));
      found = true;
      if (output_failed()) break;
      if (store) {
        if (const StoreResult failure = store->WriteName(*name, options.trailing_line)) {
          status = StoreFailed(*failure, output.Stream(), err);
        }
      }
    }
    if (!found) {
      output.Stream().flush();
      err << "qorv: no new name found after " << kMaxCallsPerName << " attempts";
      if (options.filters.Any()) err << " with " << Cp1252ToUtf8(options.filters.Describe());
      err << '\n';
      status = kExitNoNewName;
    }
    ++printed;
  }
  if (store && !store->Error()) {
    if (const StoreResult failure = store->Close()) {
      status = StoreFailed(*failure, output.Stream(), err);
    }
  }
  tell_foreign_file();
  if (status != kExitOutputNotWritten && output.Finish() != 0) {
    OutputNotWritten(err, output, output.Error());
    status = kExitOutputNotWritten;
  }
  if (options.stats) WriteStats(err, session.Counts(), seed_equal, options.filters, filters);
  return status;
}

}  // namespace qorv
