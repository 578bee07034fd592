// NameGenerator: one generation attempt per GenerateOnce call.
//
// An attempt returns a finished name that passed validation, or an empty text; the caller asks
// again with the same request until a name comes. The state of the current request lives on
// the Chapter record (NewRequest, AttemptCount, RequestClass, RequestPattern); the generator
// holds the random source, the log's path, the clock, and facts derived once per loaded Chapter.
// Not re-entrant; must not run while the Chapter's client is being loaded.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "generator/element_facts.h"
#include "generator/generation_request.h"
#include "generator/random_source.h"

namespace qorv {

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
  const std::string& LogPath() const { return log_path_; }

 private:
  // Seeds the random source and derives the element facts when a Chapter is new to the generator.
  void PrepareChapter(TQorvChapter& chapter);

  std::string log_path_;
  Clock clock_;
  RandomSource random_;
  ElementFacts facts_;
  const TQorvChapter* facts_chapter_ = nullptr;
};

}  // namespace qorv
