// Which GENOPT makes the most seed-like names from a plain word list: the figures behind the
// options `qorv chapter new` writes when none are given.
//
// For every sample Chapter in chapters/, its seed names become a UTF-8 word list (one name a
// line); that list is made into a Chapter exactly as `qorv chapter new` makes it, once with each
// candidate GENOPT (every mix of STRUCTGEN, STATGEN, PREFIX and SUFFIX, with FIT:0..3 and
// VAL:0..2), and names are generated from it with the options the Chapter suggests (as
// `qorv generate --auto` does) and scored against the seeds (generator/name_likeness.h).
//
//   build/bench/genopt_measure [NAMES_PER_RUN] [SEEDS_PER_RUN]     (defaults 400 and 3)
//
// Prints, as Markdown: the best candidates by their mean share of good names over the samples
// with their worst sample, then each sample's best candidate beside a few fixed ones.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"
#include "chapter/names_list.h"
#include "generator/generation_request.h"
#include "generator/name_generator.h"
#include "generator/name_likeness.h"
#include "generator/retry_until_name.h"
#include "text/encoding.h"
#include "wordlist/chapter_from_list.h"
#include "wordlist/default_options.h"

namespace {

using qorv::LikenessScores;

struct Sample {
  std::string file;
  std::vector<std::string> seeds;  // Windows-1252
  std::string word_list;           // UTF-8, one name a line
};

std::vector<Sample> Samples() {
  std::vector<Sample> samples;
  for (const auto& entry : std::filesystem::directory_iterator(QORV_CHAPTERS_DIR)) {
    if (entry.path().extension() != ".qrv") continue;
    const std::string path = entry.path().string();
    qorv::PlainChapterClient client;
    qorv::TQorvChapter chapter;
    qorv::LoadChapter(chapter, path, qorv::EstimateNameCount(path), client);
    if (!chapter.Loaded) continue;
    Sample sample{entry.path().filename().string(), {}, {}};
    qorv::NamesListReader reader(chapter.Text);
    std::string name;
    while (reader.Next(name) == qorv::NamesListReader::Step::kName) {
      sample.seeds.push_back(name);
      sample.word_list += qorv::Cp1252ToUtf8(name) + "\n";
    }
    samples.push_back(std::move(sample));
  }
  std::sort(samples.begin(), samples.end(),
            [](const Sample& a, const Sample& b) { return a.file < b.file; });
  // The leading part of a large sample stands for the lists of sizes between the small samples
  // and the large one.
  std::vector<Sample> parts;
  for (const Sample& sample : samples) {
    for (const std::size_t size : {150u, 300u, 600u}) {
      if (sample.seeds.size() <= size) continue;
      Sample part{sample.file + " first " + std::to_string(size), {}, {}};
      part.seeds.assign(sample.seeds.begin(), sample.seeds.begin() + size);
      for (const std::string& seed : part.seeds) part.word_list += qorv::Cp1252ToUtf8(seed) + "\n";
      parts.push_back(std::move(part));
    }
  }
  samples.insert(samples.end(), parts.begin(), parts.end());
  return samples;
}

std::vector<std::string> Candidates() {
  std::vector<std::string> candidates;
  const char* const switches[] = {"STRUCTGEN", "STATGEN", "PREFIX", "SUFFIX"};
  for (int mask = 0; mask < 16; ++mask) {
    std::string flags;
    for (int k = 0; k < 4; ++k) {
      if (mask & (1 << k)) flags += std::string(switches[k]) + " ";
    }
    for (int fit = 0; fit <= 3; ++fit) {
      for (int val = 0; val <= 2; ++val) {
        candidates.push_back(flags + "FIT:" + std::to_string(fit) + " VAL:" + std::to_string(val));
      }
    }
  }
  return candidates;
}

class Silent : public qorv::ListObserver {
 public:
  void Read(const qorv::WordListEntry&) override {}
  void Merged(const qorv::WordListEntry&) override {}
  void LeftOut(const qorv::WordListEntry&, qorv::LeftOutReason) override {}
  void LeftOutFrom(std::size_t, const qorv::WordListEntry&, qorv::LeftOutReason) override {}
  void NotPicked(std::size_t, qorv::PickMode) override {}
};

// The mean scores of `runs` runs of `count` names, each run with its own seed.
LikenessScores Measure(const Sample& sample, const std::string& genopt,
                       const qorv::LetterMapper& mapper, int count, int runs) {
  qorv::ChapterHeader header{"Measure", "", "", "2026", "", "", genopt, ""};
  Silent silent;
  const qorv::ListChapter made =
      qorv::MakeListChapter(sample.word_list, mapper, header, {}, silent);
  auto client = std::make_unique<qorv::PlainChapterClient>();
  qorv::TQorvChapter chapter;
  qorv::LoadChapterFromBytes(chapter, made.Fitted.Text,
                             qorv::EstimateNameCountInText(made.Fitted.Text), *client);
  LikenessScores mean;
  if (!chapter.Loaded) return mean;
  for (int run = 0; run < runs; ++run) {
    const std::uint32_t seed = 1000 + static_cast<std::uint32_t>(run);
    qorv::NameGenerator generator("", [seed] { return seed; });
    qorv::GenerationRequest request = qorv::SuggestedRequest(chapter);
    request.Chapter = &chapter;
    request.Statistics = &client->Statistics();
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
      if (auto name = qorv::RetryUntilName(generator, request)) names.push_back(*name);
    }
    const LikenessScores scores = qorv::ScoreNames(sample.seeds, names);
    mean.Novel += scores.Novel / runs;
    mean.NotPart += scores.NotPart / runs;
    mean.BitsPerLetter += scores.BitsPerLetter / runs;
    mean.Typical += scores.Typical / runs;
    mean.Good += scores.Good / runs;
    mean.TypicalBar = scores.TypicalBar;
  }
  return mean;
}

void PrintRow(const std::string& label, const LikenessScores& s) {
  std::printf("| %s | %.3f | %.3f | %.3f | %.2f (%.2f) | %.3f |\n", label.c_str(), s.Novel,
              s.NotPart, s.Typical, s.BitsPerLetter, s.TypicalBar, s.Good);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 400;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  std::string error;
  const std::unique_ptr<qorv::LetterMapper> mapper = qorv::LetterMapper::Create(error);
  if (!mapper) {
    std::fprintf(stderr, "genopt_measure: %s\n", error.c_str());
    return 1;
  }
  const std::vector<Sample> samples = Samples();
  const std::vector<std::string> candidates = Candidates();
  // scores[candidate][sample]
  std::vector<std::vector<LikenessScores>> scores(candidates.size());
  for (std::size_t c = 0; c < candidates.size(); ++c) {
    for (const Sample& sample : samples) {
      scores[c].push_back(Measure(sample, candidates[c], *mapper, count, runs));
    }
    std::fprintf(stderr, "\r%zu/%zu", c + 1, candidates.size());
  }
  std::fprintf(stderr, "\n");

  struct Overall {
    std::size_t candidate;
    double mean;
    double worst;
  };
  std::vector<Overall> overall;
  for (std::size_t c = 0; c < candidates.size(); ++c) {
    Overall o{c, 0, 1};
    for (const LikenessScores& s : scores[c]) {
      o.mean += s.Good / static_cast<double>(samples.size());
      o.worst = std::min(o.worst, s.Good);
    }
    overall.push_back(o);
  }
  std::sort(overall.begin(), overall.end(),
            [](const Overall& a, const Overall& b) { return a.mean > b.mean; });

  const auto index_of = [&](const std::string& genopt) {
    return static_cast<std::size_t>(std::find(candidates.begin(), candidates.end(), genopt) -
                                    candidates.begin());
  };
  std::printf("%d names a run, %d runs, %zu samples, %zu candidates\n\n", count, runs,
              samples.size(), candidates.size());
  std::printf("| GENOPT | mean good | worst sample | samples it wins |\n|---|---|---|---|\n");
  for (std::size_t i = 0; i < overall.size() && i < 15; ++i) {
    int wins = 0;
    for (std::size_t s = 0; s < samples.size(); ++s) {
      double best = 0;
      for (std::size_t c = 0; c < candidates.size(); ++c) best = std::max(best, scores[c][s].Good);
      wins += scores[overall[i].candidate][s].Good >= best;
    }
    std::printf("| %s | %.3f | %.3f | %d |\n", candidates[overall[i].candidate].c_str(),
                overall[i].mean, overall[i].worst, wins);
  }
  // The rule chapter new applies: DefaultGenOpt of each list's size.
  double rule_mean = 0;
  double rule_worst = 1;
  for (std::size_t s = 0; s < samples.size(); ++s) {
    const double good = scores[index_of(qorv::DefaultGenOpt(samples[s].seeds.size()))][s].Good;
    rule_mean += good / static_cast<double>(samples.size());
    rule_worst = std::min(rule_worst, good);
  }
  std::printf("| the rule: DefaultGenOpt(names) | %.3f | %.3f | |\n", rule_mean, rule_worst);
  const std::size_t top = overall.front().candidate;
  const std::vector<std::pair<std::string, std::size_t>> named = {
      {"top overall", top},
      {"short-list rule", index_of(qorv::DefaultGenOpt(0))},
      {"long-list rule", index_of(qorv::DefaultGenOpt(qorv::kLongListNames))},
      {"none given", index_of("FIT:0 VAL:0")}};
  std::printf(
      "\n| sample (seeds) / GENOPT | novel | not a part | typical | bits/letter (bar) | good "
      "|\n|---|---|---|---|---|---|\n");
  for (std::size_t s = 0; s < samples.size(); ++s) {
    std::size_t best = 0;
    for (std::size_t c = 0; c < candidates.size(); ++c) {
      if (scores[c][s].Good > scores[best][s].Good) best = c;
    }
    std::printf("| **%s** (%zu) | | | | | |\n", samples[s].file.c_str(), samples[s].seeds.size());
    PrintRow("best: " + candidates[best], scores[best][s]);
    for (const auto& [label, c] : named) PrintRow(label + ": " + candidates[c], scores[c][s]);
  }
  return 0;
}
