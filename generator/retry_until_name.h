// Asking the generator for one name until it gives one, as the generate commands do.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "generator/name_generator.h"

namespace qorv {

// No caller waits longer than this many attempts for one name.
inline constexpr int kMaxCallsPerName = 20000;

// One attempt at a name: GenerateOnce, or a stand-in.
using AttemptFunction = std::function<std::string(const GenerationRequest&)>;

// Calls `attempt` until it returns a name. `after_call` (optional) is told the number of calls
// made so far after each one. After `max_calls` calls without a name nullopt is returned; the
// caller then ends the request of the generator behind `attempt` (NameGenerator::EndRequest).
std::optional<std::string> RetryUntilName(const AttemptFunction& attempt,
                                          const GenerationRequest& request,
                                          const std::function<void(int)>& after_call = {},
                                          int max_calls = kMaxCallsPerName);

// Calls GenerateOnce until it returns a name. `after_call` (optional) is told the number of calls
// made so far after each one. After `max_calls` calls without a name the request is marked new
// (so that the next call starts afresh) and nullopt is returned: a Chapter whose possible names
// are all in the recent history can never hang its caller.
std::optional<std::string> RetryUntilName(NameGenerator& generator,
                                          const GenerationRequest& request,
                                          const std::function<void(int)>& after_call = {},
                                          int max_calls = kMaxCallsPerName);

}  // namespace qorv
