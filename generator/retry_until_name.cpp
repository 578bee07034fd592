#include "generator/retry_until_name.h"

#include "chapter/chapter.h"

namespace qorv {

std::optional<std::string> RetryUntilName(const AttemptFunction& attempt,
                                          const GenerationRequest& request,
                                          const std::function<void(int)>& after_call,
                                          int max_calls) {
  for (int calls = 1; calls <= max_calls; ++calls) {
    std::string name = attempt(request);
    if (after_call) after_call(calls);
    if (!name.empty()) return name;
  }
  return std::nullopt;
}

std::optional<std::string> RetryUntilName(NameGenerator& generator,
                                          const GenerationRequest& request,
                                          const std::function<void(int)>& after_call,
                                          int max_calls) {
  std::optional<std::string> name =
      RetryUntilName([&generator](const GenerationRequest& r) { return generator.GenerateOnce(r); },
                     request, after_call, max_calls);
  if (!name) generator.EndRequest();
  return name;
}

}  // namespace qorv
