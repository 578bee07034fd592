#include "session/lexicon_session.h"

#include "chapter/loader.h"

namespace qorv {

LexiconSession::LexiconSession(Settings settings)
    : settings_(std::move(settings)),
      statistics_(std::make_unique<ChapterStatistics>()),
      generator_(settings_.LogPath, settings_.SeedClock) {
  attempt_ = [this](const GenerationRequest& request) { return generator_.GenerateOnce(request); };
  if (settings_.DeferLog) generator_.DeferLog();
}

std::unique_ptr<TQorvChapter> LexiconSession::LoadChapterFile(const std::string& path,
                                                              int expected_name_count) {
  auto chapter = std::make_unique<TQorvChapter>();
  LoadChapter(*chapter, path, expected_name_count, *this);
  return chapter;
}

std::unique_ptr<TQorvChapter> LexiconSession::LoadChapterRead(const FileBytes& file,
                                                              int expected_name_count) {
  auto chapter = std::make_unique<TQorvChapter>();
  LoadChapterFromFile(*chapter, file, expected_name_count, *this);
  return chapter;
}

void LexiconSession::SetChapter(std::unique_ptr<TQorvChapter> chapter) {
  chapter_ = std::move(chapter);
  if (!HasLoadedChapter()) return;
  generator_.StartChapter();
  history_count_ = 0;
  history_index_ = 0;
  store_run_.TitleLineWritten = false;
}

std::optional<std::string> LexiconSession::NextName(GenerationRequest request,
                                                    const std::function<void(int)>& after_call,
                                                    int max_calls) {
  request.Chapter = chapter_.get();
  request.Statistics = statistics_.get();
  before_name_ = {generator_.History().Save(), history_count_, history_index_};
  std::optional<std::string> name = RetryUntilName(attempt_, request, after_call, max_calls);
  if (!name) {
    generator_.EndRequest();
    return std::nullopt;
  }
  history_index_ = 0;
  if (history_count_ < NameHistory::kCapacity) ++history_count_;
  return name;
}

void LexiconSession::TakeBackName() {
  generator_.History().Restore(before_name_.Ring);
  history_count_ = before_name_.ViewCount;
  history_index_ = before_name_.ViewIndex;
}

void LexiconSession::ShowHistoryEntry(int n) {
  if (n >= history_count_) {
    n = history_count_ - 1;
  } else if (n < 0) {
    n = 0;
  }
  history_index_ = n;
}

StoreFile LexiconSession::OpenStore() {
  StoreFile store(settings_.StoreDirectory, settings_.StoreStamp);
  store.Open(chapter_->Title, store_run_);
  return store;
}

Result<void> LexiconSession::ClearStore(bool* kept_foreign_file) {
  Result<void> cleared = qorv::ClearStore(settings_.StoreDirectory, kept_foreign_file);
  if (cleared) store_run_.TitleLineWritten = false;
  return cleared;
}

void LexiconSession::ShowProgressGauge() {
  if (gauge_ != nullptr) gauge_->ShowProgressGauge();
}

void LexiconSession::SetProgress(int value) {
  if (gauge_ != nullptr) gauge_->SetProgress(value);
}

}  // namespace qorv
