// What `qorv chapter blend` does to the names generated: pairs of sample Chapters are blended at
// 70/30 and at 50/50, names are generated from each blend with the options it suggests (as
// `qorv generate --auto` does), and every generated name is cut into elements with the core's
// decomposition under the blend's settings. Each element is counted as found only among the
// elements of A's seed names, only among B's, in both, or in neither (an element the generator
// joined anew); A's and B's elements are cut under the blend's settings too.
//
//   build/bench/blend_measure [NAMES]     (default 20000)
//
// Prints one Markdown table row per pair and weighting.
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "chapter/chapter_file.h"
#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/decomposition.h"
#include "chapter/letters.h"
#include "chapter/loader.h"
#include "chapter/names_list.h"
#include "chapter/option_tags.h"
#include "chapter/tag_reader.h"
#include "generator/generation_request.h"
#include "generator/name_generator.h"
#include "generator/retry_until_name.h"
#include "io/file_bytes.h"
#include "wordlist/chapter_blend.h"

namespace {

// The decomposition settings of a loaded Chapter.
struct Cutter {
  qorv::RewriteOptions rewrite;
  qorv::SpecialConsonantList specials;
  bool multi = false;

  explicit Cutter(const qorv::TQorvChapter& chapter) {
    specials = qorv::ParseSpecialConsonants(
        qorv::ReadTag(chapter.Text, "SPCCON", qorv::kOptionTagLimit).value_or(""));
    multi =
        qorv::ParseMulti(qorv::ReadTag(chapter.Text, "SPCVOW", qorv::kOptionTagLimit).value_or(""));
    rewrite = {specials.Soft, chapter.YMode, chapter.UMode};
  }

  // The elements of a name, as the loader cuts a seed name.
  std::vector<std::string> Elements(std::string name) const {
    std::vector<std::string> elements;
    if (!qorv::NormaliseName(name)) return elements;
    std::string coded = qorv::RewriteName(name, rewrite);
    qorv::ReplaceSpecialConsonants(coded, specials.Texts, specials.Count);
    for (std::size_t p = 0; p < coded.size();) {
      std::size_t end = p + 1;
      const bool vowel = qorv::IsVowel(coded[p]);
      if (vowel && multi && p + 2 < coded.size() && coded[p + 2] == coded[p] &&
          !qorv::IsVowel(coded[p + 1]) && (p + 3 == coded.size() || !qorv::IsVowel(coded[p + 3]))) {
        end = p + 3;
      } else {
        while (end < coded.size() && qorv::IsVowel(coded[end]) == vowel) ++end;
      }
      elements.push_back(coded.substr(p, end - p));
      p = end;
    }
    return elements;
  }
};

struct Loaded {
  std::unique_ptr<qorv::PlainChapterClient> client = std::make_unique<qorv::PlainChapterClient>();
  qorv::TQorvChapter chapter;
};

std::unique_ptr<Loaded> LoadText(const std::string& text) {
  auto loaded = std::make_unique<Loaded>();
  qorv::LoadChapterFromBytes(loaded->chapter, text, qorv::EstimateNameCountInText(text),
                             *loaded->client);
  return loaded;
}

std::set<std::string> ElementSet(const std::string& text, const Cutter& cutter) {
  std::set<std::string> set;
  for (const std::string& name : qorv::NamesInLetters(text)) {
    for (std::string& element : cutter.Elements(name)) set.insert(std::move(element));
  }
  return set;
}

void Measure(const std::string& a_file, const std::string& b_file, double a_weight, int count) {
  const std::string dir = QORV_CHAPTERS_DIR "/";
  std::vector<std::unique_ptr<Loaded>> inputs;
  std::vector<qorv::BlendInput> blend_inputs;
  for (const auto& [file, weight] :
       {std::pair{a_file, a_weight}, std::pair{b_file, 100 - a_weight}}) {
    inputs.push_back(LoadText(qorv::ReadChapterFile(dir + file).Bytes));
    const qorv::TQorvChapter& chapter = inputs.back()->chapter;
    if (!chapter.Loaded) {
      std::printf("%s does not load: %s\n", file.c_str(), chapter.Message.c_str());
      return;
    }
    blend_inputs.push_back({file, chapter.Text, chapter.YMode, chapter.UMode, weight});
  }
  qorv::ChapterHeader header{"Blend",
                             "",
                             "",
                             "2026",
                             "",
                             "",
                             qorv::ReadTag(inputs[0]->chapter.Text, "GENOPT", 128).value_or(""),
                             ""};
  const qorv::BlendedChapter blend = qorv::BlendChapters(blend_inputs, header, false, 1);
  const std::unique_ptr<Loaded> blended = LoadText(blend.Fitted.Text);
  if (!blended->chapter.Loaded) {
    std::printf("the blend does not load: %s\n", blended->chapter.Message.c_str());
    return;
  }
  const Cutter cutter(blended->chapter);
  const std::set<std::string> a = ElementSet(inputs[0]->chapter.Text, cutter);
  const std::set<std::string> b = ElementSet(inputs[1]->chapter.Text, cutter);

  qorv::NameGenerator generator("", [] { return 4242u; });
  qorv::GenerationRequest request = qorv::SuggestedRequest(blended->chapter);
  request.Chapter = &blended->chapter;
  request.Statistics = &blended->client->Statistics();
  long long only_a = 0, only_b = 0, both = 0, neither = 0;
  int names = 0;
  for (int i = 0; i < count; ++i) {
    const std::optional<std::string> name = qorv::RetryUntilName(generator, request);
    if (!name) continue;
    ++names;
    for (const std::string& element : cutter.Elements(*name)) {
      const bool in_a = a.count(element) > 0;
      const bool in_b = b.count(element) > 0;
      (in_a && in_b ? both : in_a ? only_a : in_b ? only_b : neither)++;
    }
  }
  const double all = static_cast<double>(only_a + only_b + both + neither);
  const double seeds_a = blend.Taken[0], seeds_b = blend.Taken[1];
  std::printf(
      "| %s + %s | %.0f/%.0f | %.0f + %.0f (%.0f%% A) | %d | %.1f%% | %.1f%% | %.1f%% | %.1f%% "
      "| %.1f%% |\n",
      a_file.c_str(), b_file.c_str(), a_weight, 100 - a_weight, seeds_a, seeds_b,
      100 * seeds_a / (seeds_a + seeds_b), names, 100 * only_a / all, 100 * only_b / all,
      100 * both / all, 100 * neither / all,
      only_a + only_b > 0 ? 100.0 * only_a / (only_a + only_b) : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
  std::printf(
      "| A + B | weights | seeds A + B | names | only A | only B | both | neither | "
      "A of the one-sided |\n|---|---|---|---|---|---|---|---|---|\n");
  for (const auto& [a, b] : {std::pair{"towns_of_the_realm.qrv", "burning_sands.qrv"},
                             std::pair{"northern_steadings.qrv", "sunlit_vineyards.qrv"}}) {
    for (const double weight : {70.0, 50.0}) Measure(a, b, weight, count);
  }
  return 0;
}
