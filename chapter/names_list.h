// Reading the NAMES list of a comment-blanked Chapter text, one quoted name at a time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qorv {

class NamesListReader {
 public:
  enum class Status { kMissing, kInvalid, kReady };

  // Finds the first NAMES and checks that a terminator follows it somewhere.
  explicit NamesListReader(std::string_view text);

  Status status() const { return status_; }

  enum class Step { kName, kEnd, kRanOut };

  // The next quoted name, as written. kEnd once the reading stands on the terminator; kRanOut
  // when the quotes run out before that. Never reads past the text.
  Step Next(std::string& name);

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  Status status_ = Status::kMissing;
};

// Upper-cases a name (ASCII rule, then the accent pairs). Returns false when a character lies
// outside AllLetters or the name is empty.
bool NormaliseName(std::string& name);

}  // namespace qorv
