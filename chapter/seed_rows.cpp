#include "chapter/seed_rows.h"

#include <memory>

#include "chapter/chapter_format.h"
#include "chapter/names_list.h"
#include "chapter/option_tags.h"
#include "chapter/statistics.h"
#include "chapter/tag_reader.h"

namespace qorv {

std::vector<SeedRow> SeedRows(const TQorvChapter& chapter) {
  const SpecialConsonantList specials = ParseSpecialConsonants(
      ReadTag(chapter.Text, tag::kSpecialConsonants, kOptionTagLimit).value_or(""));
  const bool multi =
      ParseMulti(ReadTag(chapter.Text, tag::kSpecialVowels, kOptionTagLimit).value_or(""));
  const RewriteOptions rewrite{specials.Soft, chapter.YMode, chapter.UMode};

  std::vector<SeedRow> seeds;
  std::vector<std::string> coded;
  NamesListReader reader(chapter.Text);
  std::string name;
  while (reader.status() == NamesListReader::Status::kReady &&
         reader.Next(name) == NamesListReader::Step::kName) {
    NormaliseName(name);
    std::string text = RewriteName(name, rewrite);
    ReplaceSpecialConsonants(text, specials.Texts, specials.Count);
    coded.push_back(std::move(text));
    seeds.push_back({name, {}});
  }
  const auto scratch = std::make_unique<ChapterStatistics>();
  TQorvChapter counts;
  std::vector<ElementRow> rows;
  std::string error;
  // The Chapter loaded, so its names split as they did then.
  if (!SplitNames(coded, multi, *scratch, counts, rows, &error)) return {};
  for (std::size_t i = 0; i < seeds.size(); ++i) seeds[i].Elements = rows[i];
  return seeds;
}

int ElementCount(const ElementRow& row) {
  int n = 0;
  while (n < kElementRowSize && row[n] != kEndOfRow) ++n;
  return n;
}

}  // namespace qorv
