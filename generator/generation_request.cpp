#include "generator/generation_request.h"

#include "chapter/chapter.h"

namespace qorv {

GenerationRequest SuggestedRequest(const TQorvChapter& chapter) {
  const auto level_or_zero = [](int level, int highest) {
    return level >= 0 && level <= highest ? level : 0;
  };
  GenerationRequest request;
  request.GenerationLevel = level_or_zero(chapter.FitLevel, 3);
  request.ValidationLevel = level_or_zero(chapter.ValLevel, 2);
  request.Structural = chapter.StructGen != 0;
  request.Statistical = chapter.StatGen != 0;
  request.Prefixes = chapter.Prefix != 0;
  request.Suffixes = chapter.Suffix != 0;
  return request;
}

}  // namespace qorv
