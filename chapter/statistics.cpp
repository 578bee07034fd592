#include "chapter/statistics.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#include "chapter/chapter_format.h"
#include "chapter/letters.h"

namespace qorv {
namespace {

// Sets every cell of a table of numbers to 0 with one call: a loop over the cells costs a check
// per cell where the loader runs under the sanitizers (the fuzz targets), and the tables are large.
template <typename Table>
void ClearTable(Table& table) {
  static_assert(std::is_trivial_v<Table>);
  std::memset(&table, 0, sizeof(Table));
}

// The storage operator new handed out last, zeroed: the constructor that runs in it knows that its
// tables are all 0.
thread_local const void* zeroed_storage = nullptr;

}  // namespace

void* ChapterStatistics::operator new(std::size_t size) {
  // calloc takes a block this large straight from the system, whose fresh pages read as 0 and
  // are not touched until written.
  void* const storage = std::calloc(1, size);
  if (storage == nullptr) throw std::bad_alloc();
  zeroed_storage = storage;
  return storage;
}

void ChapterStatistics::operator delete(void* storage) noexcept {
  std::free(storage);
}

ChapterStatistics::ChapterStatistics() : RemainingTablesZero(this == zeroed_storage) {
  zeroed_storage = nullptr;
}

int ContextColumn(const ChapterStatistics& stats, ElementId id) {
  if (IsVowelId(id)) return id;
  return kConsonantIdBase + ConsonantIndex(ElementText(stats, id).back());
}

const std::string& ElementText(const ChapterStatistics& stats, ElementId id) {
  return IsVowelId(id) ? stats.VowelElements[id] : stats.ConsonantElements[id - kConsonantIdBase];
}

bool IsMultiVowel(const std::string& vowel_element) {
  return vowel_element.size() == 3 && IsConsonant(vowel_element[1]);
}

void ClearCountsAndLetterTables(ChapterStatistics& stats) {
  stats.MaxElementsPerName = 0;
  stats.SpecialConsonantCount = 0;
  ClearTable(stats.VowelPositionCounts);
  ClearTable(stats.ConsonantPositionCounts);
  stats.InitialPairCount = 0;
  stats.FinalPairCount = 0;
  stats.InitialPairs.fill({});
  stats.FinalPairs.fill({});
  ClearTable(stats.InitialPairWeights);
  ClearTable(stats.FinalPairWeights);
  stats.MinRepeatDistance.fill(kNoRepeat);
  stats.MaxLetterPercent.fill(0);
}

void ClearRemainingTables(ChapterStatistics& stats) {
  ClearTable(stats.StructureCounts);
  ClearTable(stats.StructureNameCounts);
  ClearTable(stats.StructureWeights);
  ClearTable(stats.VowelAfterConsonant);
  ClearTable(stats.ConsonantAfterVowel);
  ClearTable(stats.ConsonantAcrossVowel);
  ClearTable(stats.VowelAcrossConsonant);
  ClearTable(stats.FinalPairThirdLast);
  ClearTable(stats.FinalPairFourthLast);
}

}  // namespace qorv
