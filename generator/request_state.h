// What a generator keeps between the attempts of its requests: whether its random source is
// seeded for the current Chapter, and the current request's class, pattern and attempt count.
#pragma once

#include <cstdint>

namespace qorv {

struct RequestState {
  std::uint8_t RandomSeeded = 0;  // the random source has been seeded for the current Chapter
  std::uint8_t NewRequest = 1;    // the next attempt starts a new request
  int AttemptCount = 0;           // 0 for the first attempt of the request, then 1, 2, ...
  int RequestClass = 0;           // the structure class drawn for the current request
  int RequestPattern = 0;         // the length pattern drawn, when RequestPatternDrawn
  // A length pattern was drawn at the first attempt of the current request, so RequestPattern
  // belongs to RequestClass.
  std::uint8_t RequestPatternDrawn = 0;
};

}  // namespace qorv
