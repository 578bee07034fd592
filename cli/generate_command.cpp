#include "cli/generate_command.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iomanip>
#include <ostream>
#include <set>
#include <vector>

#include <CLI/CLI.hpp>

#include "chapter/letters.h"
#include "chapter/names_list.h"
#include "cli/chapter_input.h"
#include "cli/composed_run.h"
#include "cli/deny_files.h"
#include "cli/name_explanation.h"
#include "cli/name_output.h"
#include "cli/run_files.h"
#include "cli/typicality_options.h"
#include "generator/finishing.h"
#include "generator/initial_letters.h"
#include "generator/possible_lengths.h"
#include "io/file_bytes.h"
#include "io/regular_file.h"
#include "scoring/name_scorer.h"
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

// What the generator reports of the request that made the last accepted name.
NameRecord RecordOfLastName(const std::string& name, int attempts, const GenerationRequest& request,
                            const RequestState& state, const ChapterStatistics& stats) {
  NameRecord record{name};
  record.Attempts = attempts;
  record.StructureClass = state.RequestClass;
  // The name kept to the request's length pattern unless the request had given it up.
  if (request.Structural && state.RequestPatternDrawn &&
      state.AttemptCount <= kPatternUntilAttempt) {
    record.LengthPattern = &stats.StructurePatterns[state.RequestClass][state.RequestPattern];
  }
  return record;
}

void WriteShare(std::ostream& err, const std::string& label, long long part, long long whole) {
  err << "  " << std::left << std::setw(26) << label << std::right << std::setw(9) << part
      << std::setw(8) << std::fixed << std::setprecision(1)
      << (whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0) << " %\n";
}

// The names the deny list refused, and how many each word refused.
void WriteDenied(std::ostream& err, const DenyList& deny, const std::vector<long long>& denied,
                 long long accepted) {
  long long total = 0;
  for (const long long count : denied) total += count;
  WriteShare(err, "refused by --deny", total, accepted);
  for (std::size_t i = 0; i < denied.size(); ++i) {
    if (denied[i] > 0) WriteShare(err, "  holding " + deny.Words()[i].Word, denied[i], accepted);
  }
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

// An output file that could not be written: its name and the reason. Standard output's failure
// is told by the caller, who sees the stream's own reason (OutputFailed).
int OutputNotWritten(std::ostream& err, const NameOutput& output, int error) {
  if (!output.IsStandardOutput())
    err << "qorv: " << output.Name() << ": " << FileErrorText(error) << '\n';
  return kExitOutputNotWritten;
}

// SIGINT and SIGTERM end a run after the name being made, so that the deferred log is written
// once before the signal ends the program as it would have.
volatile std::sig_atomic_t stop_signal = 0;

extern "C" void StopRun(int signal) {
  stop_signal = signal;
}

// The two handlers while a run lasts; the old ones come back when it ends.
class StopSignals {
 public:
  StopSignals() {
    stop_signal = 0;
    struct sigaction action {};
    action.sa_handler = &StopRun;
    action.sa_flags = SA_RESTART;  // a write to a slow reader goes on
    sigemptyset(&action.sa_mask);
    // A signal the caller ignores (a background job's SIGINT) stays ignored.
    for (const auto& [signal, old] :
         {std::pair{SIGINT, &old_int_}, std::pair{SIGTERM, &old_term_}}) {
      ::sigaction(signal, nullptr, old);
      if (old->sa_handler != SIG_IGN) ::sigaction(signal, &action, nullptr);
    }
  }
  ~StopSignals() {
    ::sigaction(SIGINT, &old_int_, nullptr);
    ::sigaction(SIGTERM, &old_term_, nullptr);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  static bool Stopped() { return stop_signal != 0; }
  // The signal that stopped the run, raised again under its old handler.
  void RaiseAgain() {
    const int signal = stop_signal;
    if (signal == 0) return;
    ::sigaction(SIGINT, &old_int_, nullptr);
    ::sigaction(SIGTERM, &old_term_, nullptr);
    std::raise(signal);
  }

 private:
  struct sigaction old_int_ {};
  struct sigaction old_term_ {};
};

// The files of the run, checked before anything is written: the Store's two files only when the
// run writes the Store (their kind is the Store's own to check).
std::vector<RunFile> GenerateRunFiles(const GenerateOptions& options) {
  const bool piped = options.chapter_path == kStandardStreamArgument;
  std::vector<RunFile> files = {
      {"the Chapter", piped ? kStandardInputPath : options.chapter_path, false},
      {"--log", options.log_path, true},
      {"-o", options.output_path, true}};
  for (const std::string& deny : options.deny_files) {
    files.push_back({"--deny", DenyFilePath(deny), false});
  }
  if (options.store) {
    files.push_back({"the Store", kStoreFileName, false});
    files.push_back({"the Store's backup", kStoreBackupFileName, false});
  }
  return files;
}

int StoreFailed(const Error& error, std::ostream& out, std::ostream& err) {
  out.flush();
  err << "qorv: " << error.message << "\n";
  return kExitOutputNotWritten;
}

// The options whose presence the combination check reads.
struct GivenOptions {
  const CLI::Option* level = nullptr;
  const CLI::Option* validation = nullptr;
  const CLI::Option* structural = nullptr;
  const CLI::Option* statistical = nullptr;
  const CLI::Option* prefixes = nullptr;
  const CLI::Option* suffixes = nullptr;
  const CLI::Option* automatic = nullptr;
  const CLI::Option* initial = nullptr;
  const CLI::Option* starts_with = nullptr;
  const CLI::Option* format = nullptr;
  const CLI::Option* encoding = nullptr;
  const CLI::Option* store = nullptr;
  const CLI::Option* trailing_line = nullptr;
  const CLI::Option* explain = nullptr;
};

void AddGenerationOptions(CLI::App& command, GenerateOptions& options, GivenOptions& given) {
  command
      .add_option_function<std::string>(
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
        .add_option_function<std::string>(
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
  given.level = level_option("-g,--level", options.level, 3, "generation level (default 0)");
  given.validation =
      level_option("-v,--validation", options.validation, 2, "validation level (default 0)");
  given.structural =
      command.add_flag("--structural", options.structural, "keep to a seed name's lengths")
          ->group(kGenerationGroup);
  given.statistical =
      command.add_flag("--statistical", options.statistical, "choose elements by frequency")
          ->group(kGenerationGroup);
  given.prefixes =
      command.add_flag("--prefixes", options.prefixes, "begin like a seed name (initial pair)")
          ->group(kGenerationGroup);
  given.suffixes =
      command.add_flag("--suffixes", options.suffixes, "end like a seed name (final pair)")
          ->group(kGenerationGroup);
  given.automatic =
      command
          .add_flag("--auto", options.automatic,
                    "level, validation and switches from the Chapter's GENOPT (not with them)")
          ->group(kGenerationGroup);
  given.initial = command
                      .add_option_function<std::string>(
                          "-i,--initial",
                          [&options](const std::string& letter) {
                            options.initial = InitialLetter("--initial", letter);
                          },
                          "the first letter of every name (default *: any letter)")
                      ->type_name("LETTER")
                      ->group(kGenerationGroup);
  command
      .add_option_function<std::string>(
          "--seed",
          [&options](const std::string& text) {
            options.seed = static_cast<std::uint32_t>(ParseCount("--seed", text, 0, kMaxCount));
          },
          "seed of the random source (0..4294967295; default: the clock)")
      ->type_name("S")
      ->group(kGenerationGroup);
  command
      .add_option(
          "--log", options.log_path,
          "write the generation log to FILE, replacing it: it holds the log of the latest name")
      ->type_name("FILE")
      ->group(kGenerationGroup);
}

void AddFilterOptions(CLI::App& command, NameFilterOptions& filters, GivenOptions& given) {
  command.add_flag("--unique", filters.unique, "no name twice in the whole run")
      ->group(kFilterGroup);
  command.add_flag("--novel", filters.novel, "no name equal to a seed name")->group(kFilterGroup);
  const auto length_option = [&](const char* name, std::optional<std::uint32_t>& value,
                                 const char* description) {
    command
        .add_option_function<std::string>(
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
        .add_option_function<std::string>(
            name, [name, &value](const std::string& text) { value = Cp1252Text(name, text); },
            description)
        ->type_name("TEXT")
        ->group(kFilterGroup);
  };
  given.starts_with = text_option("--starts-with", filters.starts_with,
                                  "names that begin with TEXT (one letter: the same as -i)");
  text_option("--ends-with", filters.ends_with, "names that end with TEXT");
  text_option("--contains", filters.contains, "names that hold TEXT");
  command
      .add_option_function<std::vector<std::string>>(
          "--exclude",
          [&filters](const std::vector<std::string>& texts) {
            for (const std::string& text : texts) {
              filters.excludes.push_back(Cp1252Text("--exclude", text));
            }
          },
          "no name that holds TEXT (may be given again)")
      ->allow_extra_args(false)
      ->type_name("TEXT")
      ->group(kFilterGroup);
}

void AddDenyOption(CLI::App& command, GenerateOptions& options) {
  command
      .add_option("--deny", options.deny_files,
                  "no name that holds a word of FILE (one word a line), compared after folding "
                  "case, accents, doubled letters, ph/f, ck c q/k, y/i, z/s and the digits 0 1 "
                  "3 4 5 7 as o i e a s t; \"default\": the starter list beside the sample "
                  "Chapters (may be given again)")
      ->allow_extra_args(false)
      ->type_name("FILE")
      ->group(kFilterGroup);
}

void AddOutputOptions(CLI::App& command, GenerateOptions& options, GivenOptions& given) {
  given.format =
      command
          .add_option_function<std::string>(
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
  command
      .add_option("-o,--output", options.output_path,
                  "write the names to FILE (- for standard output), replacing it when the run ends")
      ->type_name("FILE")
      ->group(kOutputGroup);
  given.encoding =
      command
          .add_option_function<std::string>(
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
      .add_flag("--stats", options.stats,
                "report on stderr what became of the attempts, the names equal to a seed and "
                "the names each filter and the deny list refused")
      ->group(kOutputGroup);
  given.explain =
      command
          .add_flag("--explain", options.explain,
                    "after each name, its structure class and length pattern, its elements and "
                    "pairs with the seed names they come from, and the candidates turned down "
                    "before it, with the reason (text and json)")
          ->group(kOutputGroup);
}

void AddStoreOptions(CLI::App& command, GenerateOptions& options, GivenOptions& given) {
  given.store =
      command
          .add_flag("--store", options.store,
                    "append the names to STORED.txt in the current directory, after a dated "
                    "title line")
          ->group(kStoreGroup);
  given.trailing_line = command
                            .add_flag("--trailing-line", options.trailing_line,
                                      "with --store: follow each stored name with a line of "
                                      "underscores")
                            ->group(kStoreGroup);
}

// Combinations the options cannot take, checked here rather than through the parser's own
// rules, which would crowd the help with their lists.
void CheckCombinations(const GivenOptions& given, const GenerateOptions& options) {
  if (given.automatic->count() > 0) {
    for (const CLI::Option* chosen : {given.level, given.validation, given.structural,
                                      given.statistical, given.prefixes, given.suffixes}) {
      if (chosen->count() > 0) {
        throw CLI::ValidationError("--auto",
                                   "takes the level, validation and switches from "
                                   "the Chapter; " +
                                       chosen->get_name() + " cannot come with it");
      }
    }
  }
  if (given.explain->count() > 0 && options.format == NameFormat::kCsv) {
    throw CLI::ValidationError("--explain", "goes with --format text or json");
  }
  if (given.trailing_line->count() > 0 && given.store->count() == 0) {
    throw CLI::ValidationError("--trailing-line", "goes with --store");
  }
  if (given.format->count() > 0 && options.format == NameFormat::kJson &&
      given.encoding->count() > 0 && options.encoding == GenerateOptions::Encoding::kCp1252) {
    throw CLI::ValidationError("--encoding", "JSON is always UTF-8");
  }
  const NameFilterOptions& filters = options.filters;
  if (filters.min_length && filters.max_length && *filters.min_length > *filters.max_length) {
    throw CLI::ValidationError("--min-length", "is above --max-length");
  }
  if (given.starts_with->count() > 0 && given.initial->count() > 0 &&
      options.initial != AsciiUpper(AccentUpper(filters.starts_with[0]))) {
    throw CLI::ValidationError("--starts-with", "begins with another letter than --initial");
  }
}

// The first letter of --starts-with is the initial letter the generator keeps to; a single
// letter is nothing more.
void TakeInitialFromStartsWith(GenerateOptions& options) {
  if (options.filters.starts_with.empty()) return;
  options.initial = AsciiUpper(AccentUpper(options.filters.starts_with[0]));
  if (options.filters.starts_with.size() == 1) options.filters.starts_with.clear();
}

// What the loop that prints the names works with.
struct NameRun {
  const GenerateOptions& options;
  LexiconSession& session;
  const GenerationRequest& request;
  const std::set<std::string>& seeds;
  NameFilters& filters;
  NameOutput& output;
  NameWriter& writer;
  std::optional<StoreFile>& store;
  std::ostream& err;
  const DenyList& deny;
  const NameExplainer* explainer;      // nullptr without --explain
  const NameScorer* scorer = nullptr;  // set when the names are scored or sorted
  int seed_equal = 0;                  // names the generator made that equal a seed name
  std::vector<long long> denied = std::vector<long long>(deny.Words().size());
  NameFacts facts{};                           // with --explain: what the generator tells
  std::vector<ExplainedRejection> rejected{};  // with --explain: turned down before the next name
};

// A name of a sorted run, kept until the run ends with what is told of it.
struct HeldName {
  std::string name;
  int attempts = 0;
  int structure_class = -1;
  const std::string* length_pattern = nullptr;
  NameScore score;
  std::optional<NameExplanation> explanation;
};

// With --explain: the candidates the generator turned down for the name it just gave.
void TakeRejections(NameRun& run) {
  if (!run.explainer) return;
  for (const RejectedCandidate& candidate : run.facts.Rejected) {
    run.rejected.push_back(run.explainer->Rejected(candidate));
  }
  run.facts.Rejected.clear();
}

// Whether a word of the deny list refuses `name`, counting it and, with --explain, telling it.
bool Denied(NameRun& run, const std::string& name) {
  const std::optional<std::size_t> word = run.deny.Match(name);
  if (!word) return false;
  ++run.denied[*word];
  if (run.explainer) {
    run.rejected.push_back({name, "deny",
                            "holds the denied word \"" +
                                Utf8ToCp1252(run.deny.Words()[*word].Word).value_or("") + "\""});
  }
  return true;
}

// Whether a filter refuses `name`, telling it with --explain.
bool Refused(NameRun& run, const std::string& name) {
  const std::optional<NameFilter> filter = run.filters.Refusal(name);
  if (!filter) return false;
  if (run.explainer) {
    run.rejected.push_back(
        {name, "filter", std::string("refused by ") + NameFilterOption(*filter)});
  }
  return true;
}

// A name the filters let pass, with the attempts its last request took; nullopt when none came
// within the attempt limit, which counts across the names the filters refuse.
std::optional<std::pair<std::string, int>> NextPrintableName(NameRun& run) {
  int calls_left = kMaxCallsPerName;
  while (true) {
    int calls = 0;
    std::optional<std::string> name = run.session.NextName(
        run.request, [&calls](int made) { calls = made; }, calls_left);
    calls_left -= calls;
    TakeRejections(run);
    if (!name) return std::nullopt;
    run.seed_equal += run.seeds.contains(*name) ? 1 : 0;
    if (!Denied(run, *name) && !Refused(run, *name)) return std::pair{std::move(*name), calls};
    // A name no one sees leaves the recent names as they were: the generator keeps a printed
    // name from coming back within the next 100 printed names, however many it refuses.
    run.session.TakeBackName();
    if (calls_left <= 0) return std::nullopt;
  }
}

// Prints one name and stores it; the exit status so far.
int PrintRecord(NameRun& run, const NameRecord& record) {
  run.writer.Write(record);
  const std::string& name = record.Name;
  if (run.output.Error() != 0) return OutputNotWritten(run.err, run.output, run.output.Error());
  if (run.store) {
    if (const Result<void> stored = run.store->WriteName(name, run.options.trailing_line);
        !stored) {
      return StoreFailed(stored.error(), run.output.Stream(), run.err);
    }
  }
  return kExitSuccess;
}

HeldName HoldName(NameRun& run, std::string name, int attempts) {
  const NameRecord record = RecordOfLastName(name, attempts, run.request, run.session.Request(),
                                             run.session.Statistics());
  HeldName held{"", attempts, record.StructureClass, record.LengthPattern, {}, std::nullopt};
  if (run.scorer) held.score = run.scorer->Score(name);
  // The generator's facts are of the name it made last: explained now, printed maybe later.
  if (run.explainer) {
    held.explanation = run.explainer->Explain(run.facts);
    held.explanation->Rejected = std::move(run.rejected);
    run.rejected.clear();
  }
  held.name = std::move(name);
  return held;
}

int PrintHeld(NameRun& run, const HeldName& held) {
  NameRecord record{held.name, held.attempts, held.structure_class, held.length_pattern};
  if (run.scorer) record.Score = &held.score;
  if (held.explanation) record.Explanation = &*held.explanation;
  return PrintRecord(run, record);
}

// --sort typicality: the names found, the most typical first (names of equal bits in the order
// they came), printed and stored when the run ends.
int PrintSorted(NameRun& run, std::vector<HeldName>& held, int status) {
  std::stable_sort(held.begin(), held.end(), [](const HeldName& a, const HeldName& b) {
    return a.score.BitsPerLetter < b.score.BitsPerLetter;
  });
  for (const HeldName& name : held) {
    if (const int failed = PrintHeld(run, name); failed != kExitSuccess) return failed;
  }
  return status;
}

// Prints the names asked for; ends at the first name not found or not written, the names before
// it staying printed and stored.
int PrintNames(NameRun& run) {
  run.writer.Begin();
  const bool sorted = run.options.sort_by_typicality;
  std::vector<HeldName> held;
  // SIGINT and SIGTERM end the run after the name being made (StopSignals).
  for (std::uint32_t printed = 0; printed < run.options.count && !StopSignals::Stopped();
       ++printed) {
    const std::optional<std::pair<std::string, int>> found = NextPrintableName(run);
    if (!found) {
      run.output.Stream().flush();
      run.err << "qorv: no new name found after " << kMaxCallsPerName << " attempts";
      if (run.options.filters.Any()) {
        run.err << " with " << Cp1252ToUtf8(run.options.filters.Describe());
      }
      for (const std::string& deny : run.options.deny_files) run.err << " --deny " << deny;
      run.err << '\n';
      return sorted ? PrintSorted(run, held, kExitNoNewName) : kExitNoNewName;
    }
    HeldName name = HoldName(run, found->first, found->second);
    if (sorted) {
      held.push_back(std::move(name));
    } else if (const int status = PrintHeld(run, name); status != kExitSuccess) {
      return status;
    }
  }
  return sorted ? PrintSorted(run, held, kExitSuccess) : kExitSuccess;
}

}  // namespace

GenerationRequest MakeRequest(const GenerateOptions& options, const TQorvChapter& chapter) {
  return RequestFor(options, chapter, options.initial);
}

CLI::App* AddGenerateCommand(CLI::App& app, GenerateOptions& options) {
  CLI::App* command = app.add_subcommand("generate", "Invent names from a Chapter's seed names");
  command->add_option("CHAPTER", options.chapter_path,
                      "the Chapter file (.qrv), or a recipe (.recipe); - reads standard input");
  GivenOptions given;
  AddGenerationOptions(*command, options, given);
  AddFilterOptions(*command, options.filters, given);
  AddDenyOption(*command, options);
  AddOutputOptions(*command, options, given);
  AddStoreOptions(*command, options, given);
  AddTypicalityOptions(*command, options, kFilterGroup, kOutputGroup);
  command->callback([command, given, &options] {
    CheckCombinations(given, options);
    CheckTypicalityRange(options);
    CheckComposeCombinations(*command, options);
  });
  AddKeyOptions(*command, options.keys);
  AddComposeOptions(*command, options.compose);
  return command;
}

int RunGenerate(const GenerateOptions& given, std::ostream& out, std::ostream& err,
                const StoreClock& store_clock) {
  if (IsComposedRun(given)) return RunComposed(given, out, err, store_clock);
  if (const int refused = CheckRunFiles(GenerateRunFiles(given), err)) return refused;
  // Filters that contradict each other are refused before the Chapter is read.
  if (const std::vector<std::string> refusals = ContradictoryFilters(given.filters, given.initial);
      !refusals.empty()) {
    for (const std::string& why : refusals) err << "qorv: " << why << '\n';
    return kExitUsage;
  }
  if (given.keys.Any() && given.explain) {
    err << "qorv: --explain: not with --key or --keys\n";
    return kExitUsage;
  }
  if (given.keys.Any()) return RunNamesByKey(given, out, err);
  const Result<DenyList> deny = ReadDenyFiles(given.deny_files);
  if (!deny) {
    err << "qorv: " << deny.error().message << '\n';
    return kExitFailure;
  }
  GenerateOptions options = given;
  TakeInitialFromStartsWith(options);

  LexiconSession::Settings settings;
  settings.LogPath = options.log_path;
  settings.DeferLog = true;
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
  if (const std::vector<std::string> refusals =
          ChapterRefusals(options.filters, options.initial, chapter, stats);
      !refusals.empty()) {
    for (const std::string& why : refusals) err << "qorv: " << input.Name << ": " << why << '\n';
    return kExitUsage;
  }
  // The generation log must be writable before the first name; a later failure to write it
  // stays silent, as the log is a diagnostic.
  if (!options.log_path.empty()) {
    if (const int error = CheckAppendable(options.log_path); error != 0) {
      err << "qorv: " << options.log_path << ": " << FileErrorText(error) << '\n';
      return kExitOutputNotWritten;
    }
  }

  NameOutput output(out, options.output_path);
  if (output.Error() != 0) return OutputNotWritten(err, output, output.Error());
  NameWriter writer(output.Stream(), options.format,
                    options.encoding == GenerateOptions::Encoding::kUtf8);

  const GenerationRequest request = MakeRequest(options, chapter);
  const bool need_seeds = options.stats || options.filters.novel;
  // A name is scored only when something reads its score.
  const bool need_scores = options.format == NameFormat::kJson || options.sort_by_typicality ||
                           options.filters.AnyTypicality();
  // The seed names are read from the Chapter once, for both.
  std::vector<std::string> seed_list;
  if (need_seeds || need_scores) seed_list = FinishedSeedList(chapter);
  const std::set<std::string> seeds =
      need_seeds ? std::set<std::string>(seed_list.begin(), seed_list.end())
                 : std::set<std::string>{};
  std::optional<NameScorer> scorer;
  if (need_scores) scorer.emplace(std::move(seed_list));
  NameFilters filters(options.filters, seeds, scorer ? &*scorer : nullptr);

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
    if (!store->Error()) return StoreFailed(store->Error().error(), output.Stream(), err);
  }

  StopSignals stop_signals;
  std::optional<NameExplainer> explainer;
  if (options.explain) explainer.emplace(chapter, stats);
  NameRun run{options,
              session,
              request,
              seeds,
              filters,
              output,
              writer,
              store,
              err,
              *deny,
              explainer ? &*explainer : nullptr};
  if (scorer && (options.format == NameFormat::kJson || options.sort_by_typicality)) {
    run.scorer = &*scorer;
  }
  if (explainer) session.TellFacts(&run.facts);
  int status = PrintNames(run);
  if (store && store->Error()) {
    if (const Result<void> closed = store->Close(); !closed) {
      status = StoreFailed(closed.error(), output.Stream(), err);
    }
  }
  tell_foreign_file();
  // The file of -o takes its name when the run ends with its names (all, or those found before
  // one took too long); after a failure the old file stays as it was.
  // A run a signal ended keeps nothing of it there either.
  const bool keep = !StopSignals::Stopped() && (status == kExitSuccess || status == kExitNoNewName);
  if (output.Finish(keep) != 0 && status != kExitOutputNotWritten) {
    OutputNotWritten(err, output, output.Error());
    status = kExitOutputNotWritten;
  }
  session.TellFacts(nullptr);
  if (options.stats) {
    WriteStats(err, session.Counts(), run.seed_equal, options.filters, filters);
    if (!deny->Empty()) WriteDenied(err, *deny, run.denied, session.Counts().Accepted);
  }
  session.WriteLog();
  if (StopSignals::Stopped()) {
    out.flush();
    err.flush();
    stop_signals.RaiseAgain();
  }
  return status;
}

}  // namespace qorv
