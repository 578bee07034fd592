// NameGenerator: one generation attempt per GenerateOnce call.
//
// An attempt returns a finished name that passed validation, or an empty text; the caller asks
// again with the same request until a name comes. The generator holds everything that changes
// while names are made: the state of the current request (RequestState), the random source, the
// ring of the last 100 accepted names, the log (open from the first attempt of a request until
// the request ends, and closed when the generator goes), the clock, and facts derived once per
// Chapter. It only reads the Chapter and its statistics, so one loaded Chapter can serve any
// number of generators on any number of threads; one generator is not re-entrant.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "chapter/name_history.h"
#include "generator/element_facts.h"
#include "generator/generation_log.h"
#include "generator/generation_request.h"
#include "generator/name_facts.h"
#include "generator/placement.h"
#include "generator/random_source.h"
#include "generator/request_state.h"

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

  // `log_path` empty: no log is written. `clock` gives the seed at the first attempt on a Chapter:
  // after the generator is made, after every StartChapter, and when a request's Chapter is
  // another than the last one's (which also starts a new request).
  explicit NameGenerator(std::string log_path = {}, Clock clock = &SystemClock);
  // Writes a deferred log.
  ~NameGenerator() { WriteLog(); }

  // One attempt. The request's Chapter must be loaded and its Statistics set.
  std::string GenerateOnce(GenerationRequest request);

  // A Chapter was loaded anew: the next attempt seeds the random source from the clock and starts
  // a new request, and the history ring is empty.
  void StartChapter();
  // The next attempt starts a new request, as after an accepted name.
  void EndRequest() { state_.NewRequest = 1; }

  const RequestState& State() const { return state_; }
  RequestState& State() { return state_; }
  NameHistory& History() { return history_; }
  const NameHistory& History() const { return history_; }
  RandomSource& Random() { return random_; }
  const AttemptCounts& Counts() const { return counts_; }

  // From now on every attempt tells `facts` what it made (NameFacts); nullptr stops it. The
  // names, the log and every draw stay as they are without it. The record must outlive its use.
  void TellFacts(NameFacts* facts) { told_facts_ = facts; }

  // From now on the log file gets its bytes only at WriteLog: the very bytes the attempts would
  // have left in it, those of the latest request. Nothing is logged meanwhile; WriteLog makes the
  // latest request's attempts once more, from the state they started in, with the log on. Only
  // for a regular log file (or one not there yet), and for callers that keep one request for all
  // attempts (`qorv generate`); a pipe or a device keeps taking every attempt.
  void DeferLog();
  // Writes a deferred log (when an attempt was made since DeferLog) and ends the deferral.
  void WriteLog();
  const std::string& LogPath() const { return log_path_; }

 private:
  // Seeds the random source and derives the element facts when a Chapter is new to the generator.
  void PrepareChapter(const GenerationRequest& request);
  // The attempt itself, between opening the log (or starting a new request in it) and flushing it.
  std::string Attempt(GenerationRequest& request);
  // The verdict on the candidate: the finished name, or an empty text when it is rejected.
  std::string JudgeCandidate(const GenerationRequest& request);
  // With TellFacts: the candidate's shape, and a rejected candidate with its reason.
  void TellCandidate(const Placement& placement, const PlacementSettings& settings);
  void TellRejection(const Rejection& why, std::string name, std::string text);

  // What WriteLog needs to make the latest request's attempts again.
  struct RequestStart {
    RandomSource Random;
    RequestState State;
    NameHistory::Mark History;
    GenerationRequest Request;
    int Attempts = 0;  // made in the request so far
  };

  std::string log_path_;
  std::string deferred_log_path_;  // not empty while the log is deferred
  RequestStart request_start_;
  Clock clock_;
  RandomSource random_;
  RequestState state_;
  NameHistory history_;
  ElementFacts facts_;
  AttemptCounts counts_;
  const TQorvChapter* facts_chapter_ = nullptr;
  AttemptLog log_;
  std::string candidate_;  // the candidate text of the current attempt, its buffer reused
  NameFacts* told_facts_ = nullptr;
};

}  // namespace qorv
