#include "generator/name_generator.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <ctime>
#include <span>
#include <utility>

#include "chapter/chapter.h"
#include "chapter/letters.h"
#include "chapter/statistics.h"
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

}  // namespace

std::string NameGenerator::JudgeCandidate(const GenerationRequest& request) {
  if (const auto rejection =
          ValidateName(*request.Statistics, candidate_, request.ValidationLevel)) {
    ++RejectionCounter(counts_, rejection->Broken);
    if (told_facts_) {
      TellRejection(*rejection, FinishedName(candidate_, request.Chapter->PunctMode), candidate_);
    }
    log_.Write(log_text::kFail);
    log_.Write(rejection->Reason());
    return {};
  }
  std::string name = FinishedName(candidate_, request.Chapter->PunctMode);
  if (history_.Contains(name)) {
    ++counts_.History;
    if (told_facts_) TellRejection(Rejection{Rejection::Rule::kHistory}, name, name);
    log_.Write(log_text::kFail);
    log_.Write(reject::kHistory);
    return {};
  }
  history_.Add(name);
  ++counts_.Accepted;
  log_.Write(log_text::kAccepted);
  log_.Write(name);
  state_.NewRequest = 1;
  return name;
}

void NameGenerator::TellCandidate(const Placement& placement, const PlacementSettings& settings) {
  NameFacts& facts = *told_facts_;
  facts.StructureClass = settings.RequestClass;
  facts.LengthPattern = settings.Pattern;
  facts.Elements = placement.Elements();
  facts.InitialPair = placement.PlacedInitialPair();
  facts.FinalPair = placement.PlacedFinalPair();
}

void NameGenerator::TellRejection(const Rejection& why, std::string name, std::string text) {
  RejectedCandidate rejected{std::move(name), std::move(text), why};
  if (why.Broken == Rejection::Rule::kHistory) {
    while (rejected.NamesAgo < history_.NameHistoryCount &&
           history_.Newest(rejected.NamesAgo) != rejected.Name) {
      ++rejected.NamesAgo;
    }
    ++rejected.NamesAgo;
  }
  told_facts_->Rejected.push_back(std::move(rejected));
}

std::uint32_t NameGenerator::SystemClock() {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::time(nullptr)));
}

NameGenerator::NameGenerator(std::string log_path, Clock clock)
    : log_path_(std::move(log_path)), clock_(std::move(clock)) {}

void NameGenerator::DeferLog() {
  struct stat status {};
  const bool regular =
      ::stat(log_path_.c_str(), &status) != 0 ? errno == ENOENT : S_ISREG(status.st_mode);
  if (log_path_.empty() || !regular) return;
  log_.Close();
  deferred_log_path_ = std::move(log_path_);
  log_path_.clear();
  request_start_ = {};
}

void NameGenerator::WriteLog() {
  if (deferred_log_path_.empty()) return;
  log_path_ = std::move(deferred_log_path_);
  deferred_log_path_.clear();
  const RequestStart start = request_start_;
  if (start.Attempts == 0) return;
  // The generator as it is now, to come back to after the replay.
  const RandomSource random = random_;
  const RequestState state = state_;
  const NameHistory history = history_;
  const AttemptCounts counts = counts_;
  NameFacts* const told_facts = std::exchange(told_facts_, nullptr);
  random_ = start.Random;
  state_ = start.State;
  history_.Restore(start.History);
  for (int attempt = 0; attempt < start.Attempts; ++attempt) GenerateOnce(start.Request);
  log_.Close();
  random_ = random;
  state_ = state;
  history_ = history;
  counts_ = counts;
  told_facts_ = told_facts;
}

void NameGenerator::StartChapter() {
  state_.RandomSeeded = 0;
  state_.NewRequest = 1;
  history_.Clear();
  facts_chapter_ = nullptr;
}

void NameGenerator::PrepareChapter(const GenerationRequest& request) {
  // The first attempt on another Chapter than the last one is the first on that Chapter.
  if (request.Chapter != facts_chapter_) {
    state_.RandomSeeded = 0;
    state_.NewRequest = 1;
  }
  const bool fresh = state_.RandomSeeded == 0;
  if (fresh) {
    random_.Seed(clock_());
    state_.RandomSeeded = 1;
  }
  if (fresh || facts_chapter_ != request.Chapter) {
    facts_.Build(*request.Statistics, request.Chapter->VowelElementCount,
                 request.Chapter->ConsonantElementCount);
    facts_chapter_ = request.Chapter;
  }
}

std::string NameGenerator::GenerateOnce(GenerationRequest request) {
  if (request.Chapter == nullptr || request.Statistics == nullptr || !request.Chapter->Loaded) {
    return {};
  }
  PrepareChapter(request);

  if (!deferred_log_path_.empty()) {
    RequestStart& start = request_start_;
    if (state_.NewRequest) {
      start.Random = random_;
      start.State = state_;
      start.History = history_.Save();
      start.Attempts = 0;
    }
    start.Request = request;
    ++start.Attempts;
  }

  // The log stays open while a request lasts. A new request empties it, whatever became of the
  // one before (a caller may stop asking in the middle of one, or load another Chapter).
  if (state_.NewRequest) {
    log_.Open(log_path_, true);
  } else if (!log_.enabled()) {
    log_.Open(log_path_, false);
  }
  std::string name = Attempt(request);
  log_.Flush();
  if (state_.NewRequest) log_.Close();
  return name;
}

std::string NameGenerator::Attempt(GenerationRequest& request) {
  const TQorvChapter& chapter = *request.Chapter;
  const ChapterStatistics& stats = *request.Statistics;
  RequestState& state = state_;
  AttemptLog& log = log_;
  if (state.NewRequest) {
    state.AttemptCount = 0;
  } else {
    ++state.AttemptCount;
    log.Write(log_text::kAttemptSeparator);
  }

  if (state.AttemptCount > kPairsUntilAttempt) request.Prefixes = request.Suffixes = false;
  if (state.AttemptCount > kPatternUntilAttempt) request.Structural = false;
  if (state.AttemptCount > kGiveUpAfterAttempt) {
    ++counts_.GaveUp;
    state.NewRequest = 1;
    return {};
  }

  if (state.NewRequest) {
    state.NewRequest = 0;
    const int structure_class = DrawClass(random_, chapter, stats, request.InitialLetter);
    state.RequestPatternDrawn = request.Structural;
    if (request.Structural) {
      const int patterns = stats.StructureCounts[structure_class];
      state.RequestPattern =
          request.Statistical
              ? WeightedPick(random_,
                             std::span<const int>(stats.StructureWeights[structure_class].data(),
                                                  static_cast<std::size_t>(patterns)),
                             stats.StructureNameCounts[structure_class])
              : RandomBelow(random_, patterns);
    }
    state.RequestClass = structure_class;
    if (log.enabled()) {
      log.Write(std::to_string(structure_class));
      if (request.Structural) {
        log.Write(": ");
        log.Write(stats.StructurePatterns[structure_class][state.RequestPattern]);
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
  settings.RequestClass = state.RequestClass;
  settings.ElementTotal = state.RequestClass / 2 + 2;
  settings.SplitPoint = 1 + RandomBelow(random_, settings.ElementTotal - 2);
  settings.Shuffle = chapter.Shuffle != 0;
  if (request.Structural && state.RequestPatternDrawn) {
    settings.Pattern = &stats.StructurePatterns[state.RequestClass][state.RequestPattern];
  }

  Placement placement(stats, facts_, random_, log, settings);
  if (!placement.Run()) {
    ++counts_.NoCandidate;
    return {};
  }

  AssembleCandidate(placement.Elements(), facts_, stats, candidate_);
  if (told_facts_) TellCandidate(placement, settings);
  log.Write(log_text::kCandidate);
  log.Write(candidate_);
  return JudgeCandidate(request);
}

}  // namespace qorv
