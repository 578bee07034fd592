#include "scoring/letter_model.h"

#include <cmath>

namespace qorv {
namespace {

// The start and the end of a name: a value no byte takes.
constexpr std::uint32_t kMark = 256;

std::uint32_t Symbol(char c) {
  return static_cast<unsigned char>(c);
}

}  // namespace

template <typename Step>
void LetterModel::ForEachStep(std::string_view name, Step step) {
  std::uint32_t before = kMark;
  std::uint32_t last = kMark;
  for (const char c : name) {
    step(before, last, Symbol(c));
    before = last;
    last = Symbol(c);
  }
  step(before, last, kMark);
}

LetterModel::LetterModel(const std::vector<std::string_view>& names) {
  for (const std::string_view name : names) Count(name, 1);
}

void LetterModel::Count(std::string_view name, int sign) {
  ForEachStep(name, [&](std::uint32_t u, std::uint32_t v, std::uint32_t w) {
    const std::uint32_t context = (u << 9) | v;
    steps_[(context << 9) | w] += sign;
    contexts_[context] += sign;
    if ((symbols_[w] += sign) == 0) symbols_.erase(w);
  });
}

double LetterModel::BitsPerLetter(std::string_view name) const {
  if (symbols_.empty()) return 0;
  const double alphabet = static_cast<double>(symbols_.size());
  double bits = 0;
  int count = 0;
  ForEachStep(name, [&](std::uint32_t u, std::uint32_t v, std::uint32_t w) {
    const std::uint32_t context = (u << 9) | v;
    const auto seen = steps_.find((context << 9) | w);
    const auto total = contexts_.find(context);
    const double step = seen == steps_.end() ? 0 : seen->second;
    const double all = total == contexts_.end() ? 0 : total->second;
    bits -= std::log2((step + 1) / (all + alphabet));
    ++count;
  });
  return bits / count;
}

}  // namespace qorv
