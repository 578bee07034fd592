#include "chapter/seed_rows.h"

#include <memory>
#include <string>

#include "chapter/chapter_format.h"
#include "chapter/names_list.h"
#include "chapter/option_tags.h"
#include "chapter/tag_reader.h"

namespace qorv {

std::vector<ElementRow> SeedElementRows(const TQorvChapter& chapter,
                                        const ChapterStatistics& stats) {
  const std::string spccon =
      ReadTag(chapter.Text, tag::kSpecialConsonants, kOptionTagLimit).value_or("");
  const std::string spcvow =
      ReadTag(chapter.Text, tag::kSpecialVowels, kOptionTagLimit).value_or("");
  const RewriteOptions rewrite{ParseSpecialConsonants(spccon).Soft, chapter.YMode, chapter.UMode};

  std::vector<std::string> coded;
  NamesListReader reader(chapter.Text);
  std::string name;
  while (reader.Next(name) == NamesListReader::Step::kName) {
    NormaliseName(name);
    name = RewriteName(name, rewrite);
    ReplaceSpecialConsonants(name, stats.SpecialConsonants, stats.SpecialConsonantCount);
    coded.push_back(std::move(name));
  }
  // The same names split in the same order give the same element ids as the load's.
  auto scratch = std::make_unique<ChapterStatistics>();
  ClearCountsAndLetterTables(*scratch);
  TQorvChapter counts;
  std::vector<ElementRow> rows;
  std::string refused;
  if (!SplitNames(coded, ParseMulti(spcvow), *scratch, counts, rows, &refused)) rows.clear();
  return rows;
}

}  // namespace qorv
