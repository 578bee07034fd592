#include "wordlist/chapter_blend.h"

#include <algorithm>
#include <optional>
#include <random>
#include <string_view>
#include <unordered_set>

#include "chapter/chapter_format.h"
#include "chapter/letters.h"
#include "chapter/limits.h"
#include "chapter/names_list.h"
#include "chapter/option_tags.h"
#include "chapter/tag_reader.h"

namespace qorv {
namespace {

// The decomposition settings of one input.
struct Settings {
  SpecialConsonantList Specials;
  bool Multi = false;
  int YMode = 0;
  int UMode = 0;
};

Settings ReadSettings(const BlendInput& input) {
  Settings settings;
  settings.Specials = ParseSpecialConsonants(
      ReadTag(input.Text, tag::kSpecialConsonants, kOptionTagLimit).value_or(""));
  settings.Multi =
      ParseMulti(ReadTag(input.Text, tag::kSpecialVowels, kOptionTagLimit).value_or(""));
  settings.YMode = input.YMode;
  settings.UMode = input.UMode;
  return settings;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A special consonant as the letters a seed name spells it with: the soft codes as the consonant
// and H, the Y and U codes as those letters.
std::string SpecialInLetters(std::string_view special) {
  static constexpr std::string_view kSoftCodes = "bcdfghjklmnpqrstvwxz";
  std::string letters;
  for (char c : special) {
    if (kSoftCodes.find(c) != std::string_view::npos) {
      letters += static_cast<char>(c - 'a' + 'A');
      letters += 'H';
    } else if (c == 'y' || c == 'u') {
      letters += static_cast<char>(c - 'a' + 'A');
    } else {
      letters += c;
    }
  }
  return letters;
}

std::vector<std::string> NamesWithSpecials(const std::string& text,
                                           const SpecialConsonantList& specials) {
  std::vector<std::string> names;
  NamesListReader reader(text);
  if (reader.status() != NamesListReader::Status::kReady) return names;
  std::string name;
  while (reader.Next(name) == NamesListReader::Step::kName) {
    if (!NormaliseName(name)) continue;
    std::string letters;
    for (char c : name) {
      if (IsDigit(c) && c - '0' < specials.Count) {
        letters += SpecialInLetters(specials.Texts[c - '0']);
      } else {
        letters += c;
      }
    }
    names.push_back(std::move(letters));
  }
  return names;
}

std::string ModeKeyword(int y_mode, int u_mode) {
  std::string keywords = y_mode == 1 ? "Y:CON" : y_mode == 2 ? "Y:SEMI" : "";
  if (u_mode == 2) keywords += (keywords.empty() ? "" : " ") + std::string("U:SEMI");
  return keywords;
}

// `value` without the Y and U keywords (which the loader finds in any case, anywhere).
std::string WithoutModeKeywords(std::string value) {
  for (std::string_view keyword : {"Y:SEMI", "Y:CON", "U:SEMI"}) {
    for (std::size_t at = 0; at + keyword.size() <= value.size();) {
      bool match = true;
      for (std::size_t i = 0; i < keyword.size() && match; ++i) {
        match = AsciiUpper(value[at + i]) == keyword[i];
      }
      if (match) {
        value.erase(at, keyword.size());
      } else {
        ++at;
      }
    }
  }
  std::string tidy;
  for (char c : value) {
    if (c == ' ' && (tidy.empty() || tidy.back() == ' ')) continue;
    tidy += c;
  }
  while (!tidy.empty() && tidy.back() == ' ') tidy.pop_back();
  return tidy;
}

// The settings every input shares, written into `header`; each one that not every input has goes
// to `notes`.
void ShareSettings(const std::vector<BlendInput>& inputs, const std::vector<Settings>& settings,
                   bool options_given, ChapterHeader& header, std::vector<std::string>& notes) {
  std::vector<std::string> kept;
  std::vector<std::string> seen;
  for (std::size_t i = 0; i < settings.size(); ++i) {
    for (int k = 0; k < settings[i].Specials.Count; ++k) {
      const std::string& text = settings[i].Specials.Texts[k];
      if (std::find(seen.begin(), seen.end(), text) != seen.end()) continue;
      seen.push_back(text);
      std::string missing;
      for (std::size_t j = 0; j < settings.size(); ++j) {
        const auto& texts = settings[j].Specials.Texts;
        if (std::find(texts.begin(), texts.begin() + settings[j].Specials.Count, text) ==
            texts.begin() + settings[j].Specials.Count) {
          missing += (missing.empty() ? "" : ", ") + inputs[j].Label;
        }
      }
      if (missing.empty()) {
        kept.push_back(text);
      } else {
        notes.push_back("special consonant <" + text + "> of " + inputs[i].Label +
                        " is not one of " + missing + "; dropped, its names keep their letters");
      }
    }
  }
  auto all = [&settings](auto has) { return std::all_of(settings.begin(), settings.end(), has); };
  auto note_unshared = [&](const std::string& what, bool shared, bool any) {
    if (!shared && any) notes.push_back(what + " is not set in every input; left off");
  };
  const bool soft = all([](const Settings& s) { return s.Specials.Soft; });
  note_unshared("SOFT", soft, !all([](const Settings& s) { return !s.Specials.Soft; }));
  const bool multi = all([](const Settings& s) { return s.Multi; });
  note_unshared("MULTI", multi, !all([](const Settings& s) { return !s.Multi; }));

  header.SpecialConsonants.clear();
  for (const std::string& text : kept) header.SpecialConsonants += "<" + text + ">";
  if (soft) header.SpecialConsonants += (kept.empty() ? "" : " ") + std::string("SOFT");
  header.SpecialVowels = multi ? "MULTI" : "";
  if (options_given) return;

  const int y_mode = settings.front().YMode;
  const int u_mode = settings.front().UMode;
  const bool same_y = all([y_mode](const Settings& s) { return s.YMode == y_mode; });
  const bool same_u = all([u_mode](const Settings& s) { return s.UMode == u_mode; });
  if (!same_y)
    notes.push_back("the Y mode (Y:CON, Y:SEMI) is not the same in every input; left off");
  if (!same_u) notes.push_back("U:SEMI is not set in every input; left off");
  const std::string modes = ModeKeyword(same_y ? y_mode : 0, same_u ? u_mode : 0);
  std::string genopt = WithoutModeKeywords(header.Options);
  if (!modes.empty()) genopt += (genopt.empty() ? "" : " ") + modes;
  header.Options = std::move(genopt);
}

// `total` split in the shares of `weights` (sum > 0), the remainders to the largest fractions.
std::vector<std::size_t> Shares(std::size_t total, const std::vector<double>& weights) {
  double sum = 0;
  for (double w : weights) sum += w;
  std::vector<std::size_t> shares(weights.size(), 0);
  if (sum <= 0) return shares;
  std::vector<std::pair<double, std::size_t>> fractions;
  std::size_t given = 0;
  for (std::size_t i = 0; i < weights.size(); ++i) {
    const double exact = static_cast<double>(total) * weights[i] / sum;
    shares[i] = static_cast<std::size_t>(exact);
    given += shares[i];
    fractions.push_back({exact - static_cast<double>(shares[i]), i});
  }
  std::stable_sort(fractions.begin(), fractions.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t k = 0; given < total && k < fractions.size(); ++k, ++given) {
    ++shares[fractions[k].second];
  }
  return shares;
}

// A seeded shuffle that draws the same on every system.
template <typename T>
void Shuffle(std::vector<T>& items, std::mt19937_64& random) {
  for (std::size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[random() % i]);
}

}  // namespace

std::vector<std::string> NamesInLetters(const std::string& text) {
  return NamesWithSpecials(
      text,
      ParseSpecialConsonants(ReadTag(text, tag::kSpecialConsonants, kOptionTagLimit).value_or("")));
}

BlendedChapter BlendChapters(const std::vector<BlendInput>& inputs, ChapterHeader header,
                             bool options_given, std::uint64_t seed) {
  BlendedChapter blend;
  std::vector<Settings> settings;
  for (const BlendInput& input : inputs) settings.push_back(ReadSettings(input));
  ShareSettings(inputs, settings, options_given, header, blend.Notes);
  const int blend_specials = ParseSpecialConsonants(header.SpecialConsonants).Count;

  // Each input's names, distinct, in a seeded order. A digit that its own Chapter reads as itself
  // but the blend would read as one of its special consonants has no faithful form: left out.
  std::mt19937_64 random(seed);
  std::vector<std::vector<std::string>> pools;
  std::unordered_set<std::string> all_names;
  std::vector<double> weights;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    std::vector<std::string> pool;
    std::unordered_set<std::string> own;
    std::size_t unfaithful = 0;
    for (std::string& name : NamesWithSpecials(inputs[i].Text, settings[i].Specials)) {
      if (std::any_of(name.begin(), name.end(),
                      [&](char c) { return IsDigit(c) && c - '0' < blend_specials; })) {
        ++unfaithful;
      } else if (own.insert(name).second) {
        pool.push_back(std::move(name));
      }
    }
    if (unfaithful > 0) {
      blend.Notes.push_back(inputs[i].Label + ": " + std::to_string(unfaithful) +
                            " names hold a digit that the blend would read as a special "
                            "consonant; left out");
    }
    Shuffle(pool, random);
    if (inputs[i].Weight > 0) all_names.insert(pool.begin(), pool.end());
    weights.push_back(inputs[i].Weight);
    pools.push_back(std::move(pool));
  }

  // As many names as the shares allow: up to 1000, and no more than the input with the fewest
  // names for its share can fill, so that the shares hold for small inputs too.
  double weight_sum = 0;
  for (double weight : weights) weight_sum += weight;
  std::size_t total = std::min<std::size_t>(kMaxNames, all_names.size());
  std::optional<std::size_t> limiting;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (weights[i] <= 0) continue;
    const double fits = static_cast<double>(pools[i].size()) * weight_sum / weights[i] + 1e-9;
    if (fits < static_cast<double>(total)) {
      total = static_cast<std::size_t>(fits);
      limiting = i;
    }
  }
  if (limiting) {
    blend.Notes.push_back(inputs[*limiting].Label + ": its " +
                          std::to_string(pools[*limiting].size()) +
                          " names fill its share of a blend of " + std::to_string(total) +
                          " names; the other inputs give no more than their shares of that");
  }
  // What an input cannot fill after all (rounding) goes to the others in their shares.
  std::vector<std::size_t> quota = Shares(total, weights);
  for (std::size_t round = 0; round < inputs.size(); ++round) {
    std::size_t shortfall = 0;
    std::vector<double> spare(weights.size(), 0);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      if (quota[i] > pools[i].size()) {
        shortfall += quota[i] - pools[i].size();
        quota[i] = pools[i].size();
      } else if (quota[i] < pools[i].size()) {
        spare[i] = weights[i];
      }
    }
    if (shortfall == 0) break;
    const std::vector<std::size_t> extra = Shares(shortfall, spare);
    for (std::size_t i = 0; i < inputs.size(); ++i) quota[i] += extra[i];
  }

  // The slots in a seeded order, so that the names the file size cuts off at the end are drawn
  // from every input alike. A slot whose input has no new name left (the others drew its names
  // already) takes the next new name of another input.
  std::vector<std::size_t> slots;
  for (std::size_t i = 0; i < inputs.size(); ++i) slots.insert(slots.end(), quota[i], i);
  Shuffle(slots, random);
  std::vector<std::size_t> next(inputs.size(), 0);
  std::unordered_set<std::string> drawn;
  auto draw = [&](std::size_t i) {
    while (next[i] < pools[i].size()) {
      const std::string& name = pools[i][next[i]++];
      if (drawn.insert(name).second) {
        blend.Names.push_back(name);
        blend.Origin.push_back(i);
        return true;
      }
    }
    return false;
  };
  std::size_t from_others = 0;
  for (std::size_t slot : slots) {
    if (draw(slot)) continue;
    ++from_others;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      if (weights[i] > 0 && draw(i)) break;
    }
  }
  if (from_others > 0) {
    blend.Notes.push_back(std::to_string(from_others) + (from_others == 1 ? " name" : " names") +
                          " of a share had been drawn from another input already; filled from "
                          "the others");
  }

  blend.Fitted = FitChapter(header, blend.Names);
  blend.Taken.assign(inputs.size(), 0);
  for (std::size_t index : blend.Fitted.Kept) ++blend.Taken[blend.Origin[index]];
  return blend;
}

}  // namespace qorv
