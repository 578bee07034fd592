#include "chapter/loader.h"

#include <utility>
#include <vector>

#include "chapter/chapter_file.h"
#include "chapter/decomposition.h"
#include "chapter/letter_statistics.h"
#include "chapter/limits.h"
#include "chapter/names_list.h"
#include "chapter/option_tags.h"
#include "chapter/pair_tables.h"
#include "chapter/structure.h"
#include "chapter/tag_reader.h"

namespace qorv {
namespace {

constexpr int kAdvance = -1;  // SetProgress(-1) moves the gauge one step on

std::string MissingTagMessage(std::string_view tag) {
  return "Invalid or missing " + std::string(tag) + " tag";
}

// Every load begins with a fresh record and the one check made before the file is touched: an
// estimate above the name limit is refused at once.
bool StartLoad(TQorvChapter& chapter, int expected_name_count) {
  chapter = TQorvChapter{};
  if (expected_name_count > kMaxNames) {
    chapter.Message = "Too many names";
    return false;
  }
  return true;
}

class Loader {
 public:
  Loader(TQorvChapter& chapter, ChapterClient& client)
      : chapter_(chapter), client_(client), stats_(client.Statistics()) {}

  // Everything after the file was found openable; `bytes` holds at most kMaxFileBytes + 1 bytes.
  void Run(std::string_view bytes) {
    AttachClient();
    if (!ReadText(bytes) || !ReadHeader()) return;
    ClearStatistics();
    BlankComments(chapter_.Text);
    if (!ReadSpecialConsonants() || !ReadSpecialVowels() || !ReadGenOpt() || !ReadNames()) return;
    if (!Analyse()) return;
    chapter_.Loaded = 1;
  }

 private:
  bool Fail(std::string message) {
    chapter_.Message = std::move(message);
    return false;
  }

  void AttachClient() {
    client_.ShowProgressGauge();
    client_.SetProgress(1);
    client_.History().Clear();
  }

  bool ReadText(std::string_view bytes) {
    if (bytes.size() > kMaxFileBytes) return Fail("File too large");
    chapter_.Text.assign(bytes);
    client_.SetProgress(kAdvance);
    return true;
  }

  // The four header tags are read before comments are blanked.
  bool ReadHeader() {
    struct HeaderTag {
      std::string_view name;
      std::string TQorvChapter::*field;
    };
    static constexpr HeaderTag kHeaderTags[] = {{tag::kTitle, &TQorvChapter::Title},
                                                {tag::kLine1, &TQorvChapter::Line1},
                                                {tag::kLine2, &TQorvChapter::Line2},
                                                {tag::kDate, &TQorvChapter::Date}};
    for (const HeaderTag& header : kHeaderTags) {
      auto value = ReadTag(chapter_.Text, header.name, kHeaderTagLimit);
      if (!value) return Fail(MissingTagMessage(header.name));
      chapter_.*header.field = std::move(*value);
    }
    client_.SetProgress(kAdvance);
    return true;
  }

  void ClearStatistics() {
    chapter_.VowelElementCount = chapter_.ConsonantElementCount = chapter_.NameCount = 0;
    ClearCountsAndLetterTables(stats_);
    client_.SetProgress(kAdvance);
    // A block made for this load holds zeros there already; clearing it would touch every page.
    if (!std::exchange(stats_.RemainingTablesZero, false)) ClearRemainingTables(stats_);
    client_.SetProgress(kAdvance);
  }

  bool ReadSpecialConsonants() {
    const auto value = ReadTag(chapter_.Text, tag::kSpecialConsonants, kOptionTagLimit);
    if (!value) return Fail(MissingTagMessage(tag::kSpecialConsonants));
    stats_.SpecialConsonantCount = 0;
    SpecialConsonantList list = ParseSpecialConsonants(*value);
    // The entries stored before a failure stay in the table, as they were read.
    for (int k = 0; k < list.Count; ++k) stats_.SpecialConsonants[k] = std::move(list.Texts[k]);
    stats_.SpecialConsonantCount = list.Count;
    if (!list.Message.empty()) return Fail(std::move(list.Message));
    rewrite_.Soft = list.Soft;
    client_.SetProgress(kAdvance);
    return true;
  }

  bool ReadSpecialVowels() {
    const auto value = ReadTag(chapter_.Text, tag::kSpecialVowels, kOptionTagLimit);
    if (!value) return Fail(MissingTagMessage(tag::kSpecialVowels));
    multi_ = ParseMulti(*value);
    client_.SetProgress(kAdvance);
    return true;
  }

  bool ReadGenOpt() {
    const auto value = ReadTag(chapter_.Text, tag::kGenerationOptions, kOptionTagLimit);
    if (!value) return Fail(MissingTagMessage(tag::kGenerationOptions));
    ParseGenOpt(*value, chapter_);
    rewrite_.YMode = chapter_.YMode;
    rewrite_.UMode = chapter_.UMode;
    client_.SetProgress(kAdvance);
    return true;
  }

  bool ReadNames() {
    chapter_.NameCount = 0;
    NamesListReader reader(chapter_.Text);
    if (reader.status() == NamesListReader::Status::kMissing) return Fail("Missing NAMES tag");
    if (reader.status() == NamesListReader::Status::kInvalid) return Fail("Invalid NAMES tag");
    std::string name;
    while (true) {
      const NamesListReader::Step step = reader.Next(name);
      if (step == NamesListReader::Step::kEnd) break;
      if (step == NamesListReader::Step::kRanOut) return Fail("Invalid NAMES tag");
      if (chapter_.NameCount == kMaxNames) return Fail("Too many names");
      if (!NormaliseName(name)) {
        return Fail("Invalid character in name #" + std::to_string(chapter_.NameCount + 1) + " (" +
                    name + ")");
      }
      if (chapter_.InitialLetters.find(name[0]) == std::string::npos) {
        chapter_.InitialLetters += name[0];
      }
      names_.push_back(name);
      ++chapter_.NameCount;
    }
    client_.SetProgress(kAdvance);
    return true;
  }

  bool Analyse() {
    AddLetterStatistics(stats_, names_);
    client_.SetProgress(kAdvance);

    for (std::string& name : names_) {
      name = RewriteName(name, rewrite_);
      ReplaceSpecialConsonants(name, stats_.SpecialConsonants, stats_.SpecialConsonantCount);
    }
    client_.SetProgress(kAdvance);

    std::vector<ElementRow> rows;
    std::string message;
    if (!SplitNames(names_, multi_, stats_, chapter_, rows, &message))
      return Fail(std::move(message));
    client_.SetProgress(kAdvance);

    BuildPairTables(stats_, rows);
    client_.SetProgress(kAdvance);
    BuildTransitionTables(stats_, rows);
    client_.SetProgress(kAdvance);
    BuildStructurePatterns(stats_, rows);
    client_.SetProgress(kAdvance);
    CountPositions(stats_, rows, chapter_.Shuffle != 0);
    return true;
  }

  TQorvChapter& chapter_;
  ChapterClient& client_;
  ChapterStatistics& stats_;
  RewriteOptions rewrite_;
  bool multi_ = false;
  std::vector<std::string> names_;  // normalised, then coded, seed names in file order
};

// The record's outcome as the entries report it.
Result<void> Outcome(const TQorvChapter& chapter) {
  if (chapter.Loaded) return {};
  return Error{chapter.Message};
}

}  // namespace

Result<void> LoadChapterFromBytes(TQorvChapter& chapter, std::string_view bytes,
                                  int expected_name_count, ChapterClient& client) {
  if (StartLoad(chapter, expected_name_count)) Loader(chapter, client).Run(bytes);
  return Outcome(chapter);
}

Result<void> LoadChapterFromFile(TQorvChapter& chapter, const FileBytes& file,
                                 int expected_name_count, ChapterClient& client) {
  if (!StartLoad(chapter, expected_name_count)) return Outcome(chapter);
  if (file.Error != 0) {
    chapter.Message = "Couldn't open file";
    return Outcome(chapter);
  }
  Loader(chapter, client).Run(file.Bytes);
  return Outcome(chapter);
}

Result<void> LoadChapter(TQorvChapter& chapter, const std::string& path, int expected_name_count,
                         ChapterClient& client) {
  // An estimate over the limit is refused before the file is touched.
  const FileBytes file = expected_name_count > kMaxNames ? FileBytes{} : ReadChapterFile(path);
  return LoadChapterFromFile(chapter, file, expected_name_count, client);
}

}  // namespace qorv
