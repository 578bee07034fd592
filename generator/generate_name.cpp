#include "generator/generate_name.h"

#include "chapter/chapter.h"

namespace qorv {

std::optional<std::string> GenerateName(NameGenerator& generator, const GenerationRequest& request,
                                        const std::function<void(int)>& after_call,
                                        int max_calls) {
  for (int calls = 1; calls <= max_calls; ++calls) {
    std::string name = generator.GenerateOnce(request);
    if (after_call) after_call(calls);
    if (!name.empty()) return name;
  }
  request.Chapter->NewRequest = 1;
  return std::nullopt;
}

}  // namespace qorv
