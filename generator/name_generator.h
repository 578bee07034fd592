// NameGenerator: one generation attempt per GenerateOnce call.
//
// An attempt returns a finished name that passed validation, or an empty text; the caller asks
// again with the same request until a name comes. The state of the current request lives on
// the Chapter record (NewRequest, AttemptCount, RequestClass, RequestPattern); the generator
// holds the random source, the log (open from the first attempt of a request until the request
// ends, and closed when the generator goes), the clock, and facts derived once per loaded
// Chapter. Not re-entrant; must not run while the Chapter's client is being loaded.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "generator/element_facts.h"
#include "generator/generation_log.h"
#include "generator/generation_request.h"
#include "generator/random_source.h"

namespace qorv {

// A request relaxes as its attempts fail: after attempt number kPairsUntilAttempt (counted from
// 0) it places no initial and final pairs, after kPatternUntilAttempt it no longer keeps to its
// length pattern, and after kGiveUpAfterAttempt it is given up, so that the next attempt draws a
// new one.
inline constexpr int kPairsUntilAttempt = 15;
inline constexpr int kPatternUntilAttempt = 30;
inline constexpr int kGiveUpAfterAttempt = 75;

// What became of the attempts made so far: every attempt ends in exactly one of these.
struct AttemptCounts {
  long long Accepted = 0;
  long long NoCandidate = 0;  // a position without candidates (NOOPT, PRE/NOOPT, SUF/NOOPT)
  long long GaveUp = 0;       // the request was given up
  long long Repetition = 0;   // rejected: "!REP"
  long long Distance = 0;     // rejected: "!DIST: "
  long long Share = 0;        // rejected: "!FREQ: "
  long long History = 0;      // rejected: "!HIST"

  long long Attempts() const {
    return Accepted + NoCandidate + GaveUp + Repetition + Distance + Share + History;
  }
};

class NameGenerator {
 public:
  using Clock = std::function<std::uint32_t()>;

  // The calendar time in whole seconds since the epoch, modulo 2^32.
  static std::uint32_t SystemClock();

  // `log_path` empty: no log is written. `clock` gives the seed at the first attempt of every
  // newly loaded Chapter.
  explicit NameGenerator(std::string log_path = {}, Clock clock = &SystemClock);

  // One attempt. The request's Chapter must be loaded.
  std::string GenerateOnce(GenerationRequest request);

  RandomSource& Random() { return random_; }
  const AttemptCounts& Counts() const { return counts_; }
  const std::string& LogPath() const { return log_path_; }

 private:
  // Seeds the random source and derives the element facts when a Chapter is new to the generator.
  void PrepareChapter(TQorvChapter& chapter);
  // The attempt itself, between opening the log (or starting a new request in it) and flushing it.
  std::string Attempt(GenerationRequest& request, TQorvChapter& chapter);

  std::string log_path_;
  Clock clock_;
  RandomSource random_;
  ElementFacts facts_;
  AttemptCounts counts_;
  const TQorvChapter* facts_chapter_ = nullptr;
  AttemptLog log_;
  std::string candidate_;  // the candidate text of the current attempt, its buffer reused
};

}  // namespace qorv
