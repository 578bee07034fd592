#include "generator/name_likeness.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <unordered_map>

#include "chapter/letters.h"

namespace qorv {
namespace {

constexpr char kMark = '\0';  // the start and the end of a name in the letter model

std::string Upper(std::string name) {
  for (char& c : name) c = AccentUpper(AsciiUpper(c));
  return name;
}

// Counts of each letter after each pair of letters, over a set of names.
class LetterModel {
 public:
  explicit LetterModel(const std::vector<std::string>& names) {
    for (const std::string& name : names) Count(name, 1);
  }

  // Adds (+1) or takes away (-1) one name's counts.
  void Count(const std::string& name, int sign) {
    ForEachStep(name, [&](const std::string& context, char next) {
      Context& counts = contexts_[context];
      counts.next[static_cast<unsigned char>(next)] += sign;
      counts.total += sign;
      letters_[static_cast<unsigned char>(next)] += sign;
    });
  }

  // The mean cost in bits of each step of the name (its letters and its end).
  double BitsPerLetter(const std::string& name) const {
    const double alphabet = Alphabet();
    double bits = 0;
    int steps = 0;
    ForEachStep(name, [&](const std::string& context, char next) {
      const auto found = contexts_.find(context);
      const double seen =
          found == contexts_.end() ? 0 : found->second.next[static_cast<unsigned char>(next)];
      const double total = found == contexts_.end() ? 0 : found->second.total;
      bits -= std::log2((seen + 1) / (total + alphabet));
      ++steps;
    });
    return steps == 0 ? 0 : bits / steps;
  }

 private:
  struct Context {
    std::array<int, 256> next{};
    int total = 0;
  };

  template <typename Step>
  static void ForEachStep(const std::string& name, Step step) {
    std::string padded = std::string(2, kMark) + name + kMark;
    for (std::size_t i = 2; i < padded.size(); ++i) step(padded.substr(i - 2, 2), padded[i]);
  }

  double Alphabet() const {
    return static_cast<double>(
        std::count_if(letters_.begin(), letters_.end(), [](int count) { return count > 0; }));
  }

  std::unordered_map<std::string, Context> contexts_;
  std::array<int, 256> letters_{};
};

// The bits per letter that nine seed names in ten stay within, each under the others' model.
double TypicalBar(LetterModel& model, const std::vector<std::string>& seeds) {
  std::vector<double> costs;
  for (const std::string& seed : seeds) {
    model.Count(seed, -1);
    costs.push_back(model.BitsPerLetter(seed));
    model.Count(seed, 1);
  }
  if (costs.empty()) return 0;
  std::sort(costs.begin(), costs.end());
  return costs[std::min(costs.size() - 1, costs.size() * 9 / 10)];
}

bool IsPartOfASeed(const std::string& name, const std::vector<std::string>& seeds) {
  return std::any_of(seeds.begin(), seeds.end(),
                     [&](const std::string& seed) { return seed.find(name) != std::string::npos; });
}

}  // namespace

LikenessScores ScoreNames(const std::vector<std::string>& seed_names,
                          const std::vector<std::string>& names) {
  LikenessScores scores;
  std::vector<std::string> seeds;
  for (const std::string& seed : seed_names) seeds.push_back(Upper(seed));
  const std::set<std::string> seed_set(seeds.begin(), seeds.end());
  LetterModel model(seeds);
  scores.TypicalBar = TypicalBar(model, seeds);
  if (names.empty()) return scores;

  std::set<std::string> seen;
  for (const std::string& generated : names) {
    const std::string name = Upper(generated);
    const bool novel = seed_set.count(name) == 0;
    const bool not_part = !IsPartOfASeed(name, seeds);
    const double bits = model.BitsPerLetter(name);
    const bool typical = bits <= scores.TypicalBar;
    const bool first = seen.insert(name).second;
    scores.Novel += novel;
    scores.NotPart += not_part;
    scores.BitsPerLetter += bits;
    scores.Typical += typical;
    scores.Good += first && novel && not_part && typical;
  }
  const double count = static_cast<double>(names.size());
  scores.Novel /= count;
  scores.NotPart /= count;
  scores.BitsPerLetter /= count;
  scores.Typical /= count;
  scores.Good /= count;
  return scores;
}

}  // namespace qorv
