#include "generator/name_generator.h"

#include <array>
#include <cstring>
#include <ctime>
#include <span>

#include "chapter/chapter.h"
#include "chapter/client.h"
#include "chapter/letters.h"
#include "generator/finishing.h"
#include "generator/generation_log.h"
#include "generator/initial_letters.h"
#include "generator/placement.h"
#include "generator/validation.h"

namespace qorv {
namespace {

// Draws a structure class weighted by its seed names, again until it fits the initial letter.
// When no class with seed names fits, the first draw is taken.
int DrawClass(RandomSource& random, const TQorvChapter& chapter, const ChapterStatistics& stats,
              char initial_letter) {
  const InitialLetterSets& sets = InitialLetterSets::For(chapter.YMode);
  bool any_fits = false;
  for (int c = 0; c < kStructureClasses && !any_fits; ++c) {
    any_fits = stats.StructureNameCounts[c] > 0 && sets.Fits(c, initial_letter);
  }
  while (true) {
    const int structure_class = WeightedPick(random, stats.StructureNameCounts, chapter.NameCount);
    if (!any_fits || sets.Fits(structure_class, initial_letter)) return structure_class;
  }
}

// Whether `name` is one of the recent names, as NameHistory::Contains answers. Most recent names
// differ from it in length or first letter: both are taken as one key, so that the loop has one
// branch that is rarely taken, and only a name with the same key is compared whole.
bool IsRecentName(const NameHistory& history, const std::string& name) {
  const auto key = [](const std::string& text) {
    // The first character of an empty text is its terminating zero.
    return text.size() << 8 | static_cast<unsigned char>(text.data()[0]);
  };
  const std::size_t wanted = key(name);
  for (int i = 0; i < history.NameHistoryCount; ++i) {
    const std::string& recent = history.Names[i];
    if (key(recent) == wanted && std::memcmp(recent.data(), name.data(), name.size()) == 0) {
      return true;
    }
  }
  return false;
}

long long& RejectionCounter(AttemptCounts& counts, Rejection::Rule rule) {
  switch (rule) {
    case Rejection::Rule::kRepetition:
      return counts.Repetition;
    case Rejection::Rule::kDistance:
      return counts.Distance;
    case Rejection::Rule::kShare:
      return counts.Share;
    case Rejection::Rule::kHistory:
      break;
  }
  return counts.History;
}

// The verdict on a candidate: the finished name, or an empty text when it is rejected.
std::string JudgeCandidate(TQorvChapter& chapter, const std::string& candidate, int level,
                           AttemptLog& log, AttemptCounts& counts) {
  if (const auto rejection = ValidateName(chapter.Client->Statistics(), candidate, level)) {
    ++RejectionCounter(counts, rejection->Broken);
    log.Write(log_text::kFail);
    log.Write(rejection->Reason());
    return {};
  }
  std::string name = FinishedName(candidate, chapter.PunctMode);
  NameHistory& history = chapter.Client->History();
  if (IsRecentName(history, name)) {
    ++counts.History;
    log.Write(log_text::kFail);
    log.Write(reject::kHistory);
    return {};
  }
  history.Add(name);
  ++counts.Accepted;
  log.Write(log_text::kAccepted);
  log.Write(name);
  chapter.NewRequest = 1;
  return name;
}

}  // namespace

std::uint32_t NameGenerator::SystemClock() {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::time(nullptr)));
}

NameGenerator::NameGenerator(std::string log_path, Clock clock)
    : log_path_(std::move(log_path)), clock_(std::move(clock)) {}

void NameGenerator::PrepareChapter(TQorvChapter& chapter) {
  const bool fresh = chapter.RandomSeeded == 0;
  if (fresh) {
    random_.Seed(clock_());
    chapter.RandomSeeded = 1;
  }
  if (fresh || facts_chapter_ != &chapter) {
    facts_.Build(chapter.Client->Statistics(), chapter.VowelElementCount,
                 chapter.ConsonantElementCount);
    facts_chapter_ = &chapter;
  }
}

std::string NameGenerator::GenerateOnce(GenerationRequest request) {
  TQorvChapter& chapter = *request.Chapter;
  if (!chapter.Loaded || chapter.Client == nullptr) return {};
  PrepareChapter(chapter);

  // The log stays open while a request lasts. A new request empties it, whatever became of the
  // one before (a caller may stop asking in the middle of one, or load another Chapter).
  if (chapter.NewRequest) {
    log_.Open(log_path_, true);
  } else if (!log_.enabled()) {
    log_.Open(log_path_, false);
  }
  std::string name = Attempt(request, chapter);
  log_.Flush();
  if (chapter.NewRequest) log_.Close();
  return name;
}

std::string NameGenerator::Attempt(GenerationRequest& request, TQorvChapter& chapter) {
  const ChapterStatistics& stats = chapter.Client->Statistics();
  AttemptLog& log = log_;
  if (chapter.NewRequest) {
    chapter.AttemptCount = 0;
  } else {
    ++chapter.AttemptCount;
    log.Write(log_text::kAttemptSeparator);
  }

  if (chapter.AttemptCount > kPairsUntilAttempt) request.Prefixes = request.Suffixes = false;
  if (chapter.AttemptCount > kPatternUntilAttempt) request.Structural = false;
  if (chapter.AttemptCount > kGiveUpAfterAttempt) {
    ++counts_.GaveUp;
    chapter.NewRequest = 1;
    return {};
  }

  if (chapter.NewRequest) {
    chapter.NewRequest = 0;
    const int structure_class = DrawClass(random_, chapter, stats, request.InitialLetter);
    chapter.RequestPatternDrawn = request.Structural;
    if (request.Structural) {
      const int patterns = stats.StructureCounts[structure_class];
      chapter.RequestPattern =
          request.Statistical
              ? WeightedPick(random_,
                             std::span<const int>(stats.StructureWeights[structure_class].data(),
                                                  static_cast<std::size_t>(patterns)),
                             stats.StructureNameCounts[structure_class])
              : RandomBelow(random_, patterns);
    }
    chapter.RequestClass = structure_class;
    if (log.enabled()) {
      log.Write(std::to_string(structure_class));
      if (request.Structural) {
        log.Write(": ");
        log.Write(stats.StructurePatterns[structure_class][chapter.RequestPattern]);
      }
      log.Write(log_text::kAttemptSeparator);
    }
  }

  PlacementSettings settings;
  settings.Level = request.GenerationLevel;
  settings.Structural = request.Structural;
  settings.Statistical = request.Statistical;
  settings.Prefixes = request.Prefixes;
  settings.Suffixes = request.Suffixes;
  settings.InitialLetter = request.InitialLetter;
  settings.RequestClass = chapter.RequestClass;
  settings.ElementTotal = chapter.RequestClass / 2 + 2;
  settings.SplitPoint = 1 + RandomBelow(random_, settings.ElementTotal - 2);
  settings.Shuffle = chapter.Shuffle != 0;
  if (request.Structural && chapter.RequestPatternDrawn) {
    settings.Pattern = &stats.StructurePatterns[chapter.RequestClass][chapter.RequestPattern];
  }

  Placement placement(stats, facts_, random_, log, settings);
  if (!placement.Run()) {
    ++counts_.NoCandidate;
    return {};
  }

  AssembleCandidate(placement.Elements(), facts_, stats, candidate_);
  log.Write(log_text::kCandidate);
  log.Write(candidate_);
  return JudgeCandidate(chapter, candidate_, request.ValidationLevel, log, counts_);
}

}  // namespace qorv
