#include "cli/inspect_json.h"

#include "chapter/letters.h"
#include "chapter/limits.h"
#include "text/encoding.h"

namespace qorv {
namespace {

using Json = nlohmann::ordered_json;

Json Texts(const auto& texts, int count) {
  Json array = Json::array();
  for (int i = 0; i < count; ++i) array.push_back(Cp1252ToUtf8(texts[i]));
  return array;
}

Json PositionCounts(const auto& table, int count) {
  Json array = Json::array();
  for (int i = 0; i < count; ++i) array.push_back(table[i]);
  return array;
}

Json Pairs(const std::array<ElementPair, kMaxNames>& pairs,
           const std::array<int, kMaxNames>& weights, int count) {
  Json array = Json::array();
  for (int i = 0; i < count; ++i) {
    array.push_back(Json::array({pairs[i].first, pairs[i].second, weights[i]}));
  }
  return array;
}

// The set cells of a flag table, rows 0..rows-1 and columns 0..columns-1, in ascending order.
Json SetCells(const auto& table, int rows, int columns) {
  Json array = Json::array();
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      if (table[row][column] != 0) array.push_back(Json::array({row, column}));
    }
  }
  return array;
}

Json StructurePatterns(const ChapterStatistics& stats) {
  Json array = Json::array();
  for (int c = 0; c < kStructureClasses; ++c) {
    for (int j = 0; j < stats.StructureCounts[c]; ++j) {
      array.push_back(Json::array(
          {c, Cp1252ToUtf8(stats.StructurePatterns[c][j]), stats.StructureWeights[c][j]}));
    }
  }
  return array;
}

}  // namespace

Json LoadedChapterJson(const TQorvChapter& chapter, const ChapterStatistics& stats) {
  const int vowels = chapter.VowelElementCount;
  const int consonants = chapter.ConsonantElementCount;
  Json json;
  json["Loaded"] = chapter.Loaded;
  json["Message"] = Cp1252ToUtf8(chapter.Message);
  json["Title"] = Cp1252ToUtf8(chapter.Title);
  json["Line1"] = Cp1252ToUtf8(chapter.Line1);
  json["Line2"] = Cp1252ToUtf8(chapter.Line2);
  json["Date"] = Cp1252ToUtf8(chapter.Date);
  json["NameCount"] = chapter.NameCount;
  json["VowelElementCount"] = vowels;
  json["ConsonantElementCount"] = consonants;
  json["MaxElementsPerName"] = stats.MaxElementsPerName;
  json["StructGen"] = chapter.StructGen;
  json["StatGen"] = chapter.StatGen;
  json["Shuffle"] = chapter.Shuffle;
  json["Prefix"] = chapter.Prefix;
  json["Suffix"] = chapter.Suffix;
  json["FitLevel"] = chapter.FitLevel;
  json["ValLevel"] = chapter.ValLevel;
  json["PunctMode"] = chapter.PunctMode;
  json["YMode"] = chapter.YMode;
  json["UMode"] = chapter.UMode;
  json["InitialLetters"] = Cp1252ToUtf8(chapter.InitialLetters);
  json["SpecialConsonants"] = Texts(stats.SpecialConsonants, stats.SpecialConsonantCount);
  json["VowelElements"] = Texts(stats.VowelElements, vowels);
  json["ConsonantElements"] = Texts(stats.ConsonantElements, consonants);
  json["VowelPositionCounts"] = PositionCounts(stats.VowelPositionCounts, vowels);
  json["ConsonantPositionCounts"] = PositionCounts(stats.ConsonantPositionCounts, consonants);
  json["InitialPairs"] =
      Pairs(stats.InitialPairs, stats.InitialPairWeights, stats.InitialPairCount);
  json["FinalPairs"] = Pairs(stats.FinalPairs, stats.FinalPairWeights, stats.FinalPairCount);
  json["MinRepeatDistance"] = stats.MinRepeatDistance;
  json["MaxLetterPercent"] = stats.MaxLetterPercent;
  json["StructureNameCounts"] = stats.StructureNameCounts;
  json["StructurePatterns"] = StructurePatterns(stats);
  json["VowelAfterConsonant"] = SetCells(stats.VowelAfterConsonant, vowels, kConsonantLetterCount);
  json["ConsonantAfterVowel"] = SetCells(stats.ConsonantAfterVowel, kConsonantLetterCount, vowels);
  json["ConsonantAcrossVowel"] =
      SetCells(stats.ConsonantAcrossVowel, kConsonantLetterCount, kConsonantLetterCount);
  json["VowelAcrossConsonant"] = SetCells(stats.VowelAcrossConsonant, vowels, vowels);
  json["FinalPairThirdLast"] =
      SetCells(stats.FinalPairThirdLast, stats.FinalPairCount, kContextColumns);
  json["FinalPairFourthLast"] =
      SetCells(stats.FinalPairFourthLast, stats.FinalPairCount, kContextColumns);
  return json;
}

Json FailedChapterJson(const std::string& message) {
  Json json;
  json["Loaded"] = 0;
  json["Message"] = Cp1252ToUtf8(message);
  return json;
}

}  // namespace qorv
