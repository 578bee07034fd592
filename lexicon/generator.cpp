#include <set>

#include "chapter/letters.h"
#include "generator/generation_request.h"
#include "generator/name_filters.h"
#include "generator/name_generator.h"
#include "generator/retry_until_name.h"
#include "lexicon/loaded_chapter.h"
#include "quorvane/lexicon.h"
#include "text/encoding.h"

namespace quorvane {
namespace detail {
namespace {

// What Options ask of the core: the request of every attempt and the filters, in Windows-1252.
struct Settings {
  qorv::GenerationRequest Request;
  qorv::NameFilterOptions Filters;
};

Result<void> CheckLevel(const char* field, int value, int highest) {
  if (value >= 0 && value <= highest) return {};
  return Error{std::string(field) + " must be 0 to " + std::to_string(highest) + ": " +
               std::to_string(value)};
}

// A filter text in Windows-1252.
Result<void> Cp1252Text(const char* field, const std::string& utf8, std::string& text) {
  const std::optional<std::string> converted = qorv::Utf8ToCp1252(utf8);
  if (!converted) return Error{std::string(field) + ": Windows-1252 cannot hold " + utf8};
  text = *converted;
  return {};
}

// The initial letter as a capital ('*' for any): seed names are upper-cased when they load.
Result<void> InitialLetter(const std::string& utf8, char& letter) {
  letter = '*';
  if (utf8.empty() || utf8 == "*") return {};
  const std::optional<qorv::Utf8Char> decoded = qorv::DecodeUtf8Char(utf8);
  if (!decoded || decoded->length != utf8.size()) {
    return Error{"initial must be one letter: " + utf8};
  }
  const std::optional<char> byte = qorv::CodePointToCp1252(decoded->code_point);
  if (!byte) return Error{"initial: Windows-1252, the code page of Chapters, has no " + utf8};
  letter = qorv::AsciiUpper(qorv::AccentUpper(*byte));
  return {};
}

// The options as `qorv generate` reads its command line, and then its checks against the
// Chapter.
Result<Settings> SettingsFor(const LoadedChapter& loaded, const Options& options) {
  const Options defaults;
  if (options.automatic &&
      (options.level != defaults.level || options.validation != defaults.validation ||
       options.structural || options.statistical || options.prefixes || options.suffixes)) {
    return Error{"automatic takes the level, validation and switches from the Chapter"};
  }
  for (const Result<void>& check :
       {CheckLevel("level", options.level, 3), CheckLevel("validation", options.validation, 2)}) {
    if (!check) return check.error();
  }
  Settings settings;
  qorv::NameFilterOptions& filters = settings.Filters;
  filters.unique = options.unique;
  filters.novel = options.novel;
  filters.min_length = options.min_length;
  filters.max_length = options.max_length;
  char initial = '*';
  for (Result<void> converted :
       {InitialLetter(options.initial, initial),
        Cp1252Text("starts_with", options.starts_with, filters.starts_with),
        Cp1252Text("ends_with", options.ends_with, filters.ends_with),
        Cp1252Text("contains", options.contains, filters.contains)}) {
    if (!converted) return converted.error();
  }
  for (const std::string& exclude : options.exclude) {
    if (exclude.empty()) return Error{"exclude must not hold an empty text"};
    std::string text;
    if (Result<void> converted = Cp1252Text("exclude", exclude, text); !converted) {
      return converted.error();
    }
    filters.excludes.push_back(std::move(text));
  }
  if (filters.min_length && filters.max_length && *filters.min_length > *filters.max_length) {
    return Error{"min_length is above max_length"};
  }
  if (const std::vector<std::string> refusals = qorv::ContradictoryFilters(filters, initial);
      !refusals.empty()) {
    return Error{refusals.front()};
  }
  // The first letter of starts_with is the initial letter the generator keeps to; a single
  // letter is nothing more.
  if (!filters.starts_with.empty()) {
    const char first = qorv::AsciiUpper(qorv::AccentUpper(filters.starts_with[0]));
    if (initial != '*' && initial != first) {
      return Error{"starts_with begins with another letter than initial"};
    }
    initial = first;
    if (filters.starts_with.size() == 1) filters.starts_with.clear();
  }

  const qorv::TQorvChapter& chapter = loaded.Chapter;
  if (const std::vector<std::string> refusals =
          qorv::ChapterRefusals(filters, initial, chapter, *loaded.Statistics);
      !refusals.empty()) {
    return Error{refusals.front()};
  }
  settings.Request = qorv::RequestFor(options, chapter, initial);
  return settings;
}

}  // namespace

// One stream of names over a shared Chapter, which it only reads: the generator holds the request
// state, the random source and the history ring.
struct GeneratorState {
  explicit GeneratorState(std::uint32_t seed) : Generator({}, [seed] { return seed; }) {}

  qorv::NameGenerator Generator;
  qorv::GenerationRequest Request;
  std::optional<qorv::NameFilters> Filters;  // none: the options are not usable
};

}  // namespace detail

Result<void> CheckOptions(const Lexicon& lexicon, const Options& options) {
  const Result<detail::Settings> settings = detail::SettingsFor(*lexicon.chapter_, options);
  if (!settings) return settings.error();
  return {};
}

Generator::Generator(const Lexicon& lexicon, const Options& options, std::uint32_t seed)
    : lexicon_(lexicon), state_(std::make_unique<detail::GeneratorState>(seed)) {
  Result<detail::Settings> settings = detail::SettingsFor(*lexicon.chapter_, options);
  if (!settings) return;
  state_->Request = settings->Request;
  state_->Request.Chapter = &lexicon.chapter_->Chapter;
  state_->Request.Statistics = lexicon.chapter_->Statistics.get();
  const std::set<std::string> seeds = settings->Filters.novel
                                          ? qorv::FinishedSeedNames(lexicon.chapter_->Chapter)
                                          : std::set<std::string>{};
  state_->Filters.emplace(settings->Filters, seeds);
}

Generator::~Generator() = default;
Generator::Generator(Generator&&) noexcept = default;
Generator& Generator::operator=(Generator&&) noexcept = default;

std::optional<std::string> Generator::Next() {
  if (!state_->Filters) return std::nullopt;
  // As `qorv generate` asks for each name it prints: the attempt limit counts across the names
  // the filters refuse.
  int calls_left = qorv::kMaxCallsPerName;
  qorv::NameHistory& ring = state_->Generator.History();
  while (true) {
    qorv::NameHistory::Mark before = ring.Save();
    int calls = 0;
    const std::optional<std::string> name = qorv::RetryUntilName(
        state_->Generator, state_->Request, [&calls](int made) { calls = made; }, calls_left);
    calls_left -= calls;
    if (!name) return std::nullopt;
    if (!state_->Filters->Refusal(*name)) return qorv::Cp1252ToUtf8(*name);
    // A refused name leaves the recent names as they were, so that no name given out comes back
    // within the next 100 given out.
    ring.Restore(std::move(before));
    if (calls_left <= 0) return std::nullopt;
  }
}

}  // namespace quorvane
