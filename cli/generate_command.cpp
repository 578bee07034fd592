#include "cli/generate_command.h"

#include <cstring>
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

void WriteShare(std::ostream& err, const char* label, long long part, long long whole) {
  err << "  " << std::left << std::setw(26) << label << std::right << std::setw(9) << part
      << std::setw(8) << std::fixed << std::setprecision(1)
      << (whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0) << " %\n";
}

void WriteStats(std::ostream& err, const AttemptCounts& counts, int seed_equal) {
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
  command->add_option("-n,--count", options.count, "how many names (1..100000, default 10)")
      ->check(CLI::Range(1, 100000));
  auto* level = command->add_option("-g,--level", options.level, "generation level 0..3")
                    ->check(CLI::Range(0, 3));
  auto* validation =
      command->add_option("-v,--validation", options.validation, "validation level 0..2")
          ->check(CLI::Range(0, 2));
  auto* structural =
      command->add_flag("--structural", options.structural, "keep to a seed name's lengths");
  auto* statistical =
      command->add_flag("--statistical", options.statistical, "choose elements by frequency");
  auto* prefixes =
      command->add_flag("--prefixes", options.prefixes, "begin like a seed name (initial pair)");
  auto* suffixes =
      command->add_flag("--suffixes", options.suffixes, "end like a seed name (final pair)");
  command
      ->add_flag("--auto", options.automatic,
                 "take level, validation and switches from the Chapter's GENOPT")
      ->excludes(level, validation, structural, statistical, prefixes, suffixes);
  command->add_option_function<std::string>(
      "-i,--initial",
      [&options](const std::string& letter) {
        const std::optional<Utf8Char> decoded = DecodeUtf8Char(letter);
        if (!decoded || decoded->length != letter.size()) {
          throw CLI::ValidationError("--initial", "must be one letter: " + letter);
        }
        const std::optional<char> byte = CodePointToCp1252(decoded->code_point);
        if (!byte) {
          throw CLI::ValidationError("--initial",
                                     "Windows-1252, the code page of Chapters, has no " + letter);
        }
        // Seed names are upper-cased when they load, so a small letter means its capital.
        options.initial = AsciiUpper(AccentUpper(*byte));
      },
      "the first letter of every name (default *: any letter)");
  command
      ->add_option_function<std::uint64_t>(
          "--seed",
          [&options](std::uint64_t seed) { options.seed = static_cast<std::uint32_t>(seed); },
          "seed of the random source (0..4294967295) instead of the clock")
      ->check(CLI::Range(std::uint64_t{0}, std::uint64_t{4294967295u}));
  command->add_option("--log", options.log_path, "write the generation log to FILE");
  command
      ->add_option_function<std::string>(
          "--encoding",
          [&options](const std::string& name) {
            options.encoding = name == "cp1252" ? GenerateOptions::Encoding::kCp1252
                                                : GenerateOptions::Encoding::kUtf8;
          },
          "encoding of the names printed (utf-8 or cp1252, default utf-8)")
      ->check(CLI::IsMember({"utf-8", "cp1252"}));
  command->add_flag("--stats", options.stats,
                    "report on stderr what became of the attempts and how many names equal a seed");
  auto* store = command->add_flag(
      "--store", options.store,
      "append the names to STORED.txt in the current directory, after a dated title line");
  command
      ->add_flag("--trailing-line", options.trailing_line,
                 "with --store: follow each stored name with a line of underscores")
      ->needs(store);
  return command;
}

namespace {

// Refuses an initial letter that no name of the Chapter can begin with, before the generator
// would spend its attempts on it.
bool InitialLetterPossible(const GenerateOptions& options, LexiconSession& session,
                           const std::string& chapter_name, std::ostream& err) {
  if (options.initial == '*') return true;
  const std::string letters = PossibleInitialLetters(*session.Chapter(), session.Statistics());
  if (letters.find(options.initial) != std::string::npos) return true;
  err << "qorv: " << chapter_name << ": no name can begin with "
      << Cp1252ToUtf8(std::string(1, options.initial))
      << "; initial letters: " << Cp1252ToUtf8(letters) << "\n";
  return false;
}

// The generation log must be writable before the first name; a later failure to write it stays
// silent, as the log is a diagnostic.
bool LogWritable(const GenerateOptions& options, std::ostream& err) {
  if (options.log_path.empty()) return true;
  const int error = CheckAppendable(options.log_path);
  if (error == 0) return true;
  err << "qorv: " << options.log_path << ": " << std::strerror(error) << "\n";
  return false;
}

int StoreFailed(const StoreError& error, std::ostream& out, std::ostream& err) {
  out.flush();
  err << "qorv: " << error.Text() << "\n";
  return kExitOutputNotWritten;
}

}  // namespace

int RunGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err,
                const StoreClock& store_clock) {
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
  if (!InitialLetterPossible(options, session, input.Name, err)) return kExitUsage;
  if (!LogWritable(options, err)) return kExitOutputNotWritten;

  const TQorvChapter& chapter = *session.Chapter();
  const GenerationRequest request = MakeRequest(options, chapter);
  const std::set<std::string> seeds =
      options.stats ? FinishedSeedNames(chapter) : std::set<std::string>{};

  // One run of the tool is one run of names in the Store, under one title line.
  std::optional<StoreFile> store;
  if (options.store) {
    store.emplace(session.OpenStore());
    if (store->Error()) return StoreFailed(*store->Error(), out, err);
  }

  int seed_equal = 0;
  int status = kExitSuccess;
  for (int i = 0; i < options.count && status == kExitSuccess; ++i) {
    const std::optional<std::string> name = session.NextName(request);
    if (!name) {
      out.flush();
      err << "qorv: no new name found after " << kMaxCallsPerName << " attempts\n";
      status = kExitNoNewName;
      break;
    }
    seed_equal += seeds.count(*name) ? 1 : 0;
    out << (options.encoding == GenerateOptions::Encoding::kUtf8 ? Cp1252ToUtf8(*name) : *name)
        << '\n';
    // The caller reports what became of standard output.
    if (!out) status = kExitOutputNotWritten;
    if (store) {
      if (const StoreResult failure = store->WriteName(*name, options.trailing_line)) {
        status = StoreFailed(*failure, out, err);
      }
    }
  }
  if (store && !store->Error()) {
    if (const StoreResult failure = store->Close()) status = StoreFailed(*failure, out, err);
  }
  out.flush();
  if (options.stats) WriteStats(err, session.Counts(), seed_equal);
  return status;
}

}  // namespace qorv
