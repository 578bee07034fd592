#include "quorvane/lexicon.h"

#include <cstring>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"
#include "chapter/names_list.h"
#include "generator/initial_letters.h"
#include "io/file_bytes.h"
#include "lexicon/loaded_chapter.h"
#include "text/encoding.h"

namespace quorvane {
namespace detail {
namespace {

// The loader's client for one load: the statistics block it fills, a history ring it empties and
// a gauge nobody sees.
class LoadClient final : public qorv::ChapterClient {
 public:
  explicit LoadClient(qorv::ChapterStatistics& statistics) : statistics_(statistics) {}
  void ShowProgressGauge() override {}
  void SetProgress(int) override {}
  qorv::ChapterStatistics& Statistics() override { return statistics_; }
  qorv::NameHistory& History() override { return history_; }

 private:
  qorv::ChapterStatistics& statistics_;
  qorv::NameHistory history_;
};

}  // namespace

Result<std::shared_ptr<LoadedChapter>> LoadChapterBytes(std::string_view bytes) {
  auto loaded = std::make_shared<LoadedChapter>();
  auto statistics = std::make_unique<qorv::ChapterStatistics>();
  LoadClient client(*statistics);
  const Result<void> load = qorv::LoadChapterFromBytes(
      loaded->Chapter, bytes, qorv::EstimateNameCountInText(bytes), client);
  if (!load) return Error{qorv::Cp1252ToUtf8(load.error().message)};
  loaded->Statistics = std::move(statistics);
  return loaded;
}

}  // namespace detail

namespace {

std::vector<std::string> Letters(const std::string& cp1252) {
  std::vector<std::string> letters;
  for (char c : cp1252) letters.push_back(qorv::Cp1252ToUtf8(std::string(1, c)));
  return letters;
}

}  // namespace

Lexicon::Lexicon(std::shared_ptr<const detail::LoadedChapter> chapter)
    : chapter_(std::move(chapter)) {}

Result<Lexicon> Lexicon::LoadFile(const std::string& path) {
  const qorv::FileBytes file = qorv::ReadFileBytes(path);
  if (file.Error != 0) {
    return Error{std::string("Couldn't open file (") + std::strerror(file.Error) + ")"};
  }
  return Load(file.Bytes);
}

Result<Lexicon> Lexicon::Load(std::string_view bytes) {
  auto loaded = detail::LoadChapterBytes(bytes);
  if (!loaded) return loaded.error();
  return Lexicon(std::move(*loaded));
}

std::string Lexicon::Title() const {
  return qorv::Cp1252ToUtf8(chapter_->Chapter.Title);
}
std::string Lexicon::Line1() const {
  return qorv::Cp1252ToUtf8(chapter_->Chapter.Line1);
}
std::string Lexicon::Line2() const {
  return qorv::Cp1252ToUtf8(chapter_->Chapter.Line2);
}
std::string Lexicon::Date() const {
  return qorv::Cp1252ToUtf8(chapter_->Chapter.Date);
}
int Lexicon::NameCount() const {
  return chapter_->Chapter.NameCount;
}
int Lexicon::VowelElementCount() const {
  return chapter_->Chapter.VowelElementCount;
}
int Lexicon::ConsonantElementCount() const {
  return chapter_->Chapter.ConsonantElementCount;
}
int Lexicon::MaxElementsPerName() const {
  return chapter_->Statistics->MaxElementsPerName;
}
std::string Lexicon::Text() const {
  return qorv::Cp1252ToUtf8(chapter_->Chapter.Text);
}
const std::vector<NameNote>& Lexicon::Notes() const {
  return chapter_->Notes;
}

ChapterOptions Lexicon::Options() const {
  const qorv::TQorvChapter& chapter = chapter_->Chapter;
  ChapterOptions options;
  options.structural = chapter.StructGen != 0;
  options.statistical = chapter.StatGen != 0;
  options.shuffle = chapter.Shuffle != 0;
  options.prefixes = chapter.Prefix != 0;
  options.suffixes = chapter.Suffix != 0;
  options.level = chapter.FitLevel;
  options.validation = chapter.ValLevel;
  options.punct_mode = chapter.PunctMode;
  options.y_mode = chapter.YMode;
  options.u_mode = chapter.UMode;
  return options;
}

std::vector<std::string> Lexicon::SeedNames() const {
  std::vector<std::string> names;
  qorv::NamesListReader reader(chapter_->Chapter.Text);
  std::string name;
  while (reader.status() == qorv::NamesListReader::Status::kReady &&
         reader.Next(name) == qorv::NamesListReader::Step::kName) {
    qorv::NormaliseName(name);
    names.push_back(qorv::Cp1252ToUtf8(name));
  }
  return names;
}

std::vector<std::string> Lexicon::InitialLetters() const {
  return Letters(chapter_->Chapter.InitialLetters);
}

std::vector<std::string> Lexicon::PossibleInitialLetters() const {
  return Letters(qorv::PossibleInitialLetters(chapter_->Chapter, *chapter_->Statistics));
}

}  // namespace quorvane
