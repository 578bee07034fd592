// LexiconSession: what one user works with between two Chapter loads, without any widget.
//
// It holds the current Chapter with the statistics block its loads fill, the generator (with its
// request state and the history ring, which every load empties), and the Store with its
// directory, clock and title-line flag. The desktop
// dialog owns one and adds the display and the controls; `qorv generate` runs one from the
// command line. Both thus make the same names and write the same Store.
//
// Threading: a load (LoadChapterFile) may run on another thread while the owner keeps away from
// the session; everything else runs on the owner's thread. Nothing is locked.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "chapter/chapter.h"
#include "chapter/client.h"
#include "chapter/name_history.h"
#include "chapter/statistics.h"
#include "generator/generation_log.h"
#include "generator/generation_request.h"
#include "generator/name_generator.h"
#include "generator/retry_until_name.h"
#include "io/file_bytes.h"
#include "store/store_file.h"

namespace qorv {

class LexiconSession final : public ChapterClient {
 public:
  // Where the session writes and what it reads the time from.
  struct Settings {
    std::string LogPath = kLogFileName;  // empty: no generation log
    // The log is written once, at WriteLog or when the session goes, instead of at every attempt
    // (NameGenerator::DeferLog); its bytes are the same.
    bool DeferLog = false;
    std::string StoreDirectory = ".";  // holds "STORED.txt"
    NameGenerator::Clock SeedClock = &NameGenerator::SystemClock;
    StoreClock StoreStamp = &LocalStoreDateTime;
  };

  explicit LexiconSession(Settings settings);
  LexiconSession() : LexiconSession(Settings{}) {}
  LexiconSession(const LexiconSession&) = delete;
  LexiconSession& operator=(const LexiconSession&) = delete;

  // The Chapter.

  // A new record loaded from `path`, rebuilding the statistics block and emptying the history
  // ring. May run on a loading thread; until it returns nothing else may use the session, and
  // the caller holds no Chapter of it (DropChapter first). The gauge calls go to the gauge set
  // with SetLoadGauge.
  std::unique_ptr<TQorvChapter> LoadChapterFile(const std::string& path, int expected_name_count);
  // The same from a file already read whole (a pipe, standard input): a failed read gives the
  // loader's "Couldn't open file".
  std::unique_ptr<TQorvChapter> LoadChapterRead(const FileBytes& file, int expected_name_count);
  // Makes `chapter` (loaded or failed) the current Chapter. A loaded one starts afresh: no name
  // produced yet, and the next store opens a new run with a title line.
  void SetChapter(std::unique_ptr<TQorvChapter> chapter);
  // Destroys the current Chapter, as a new load begins.
  void DropChapter() { chapter_.reset(); }
  // nullptr while there is none.
  const TQorvChapter* Chapter() const { return chapter_.get(); }
  // A Chapter that loaded, so that names can be made from it.
  bool HasLoadedChapter() const { return chapter_ != nullptr && chapter_->Loaded; }

  // Names. A Chapter must be loaded.

  // The next accepted name for `request` (its Chapter is set to the current one), asking the
  // driver up to `max_calls` times; `after_call` is told the count after each call. The name
  // becomes the newest of the history view. nullopt when no name came in time (the next call
  // then starts a new request).
  std::optional<std::string> NextName(GenerationRequest request,
                                      const std::function<void(int)>& after_call = {},
                                      int max_calls = kMaxCallsPerName);

  // Takes the name of the last NextName back out of the history ring and the history view, as
  // if it had not been made: the ring then holds what it held before that call. `qorv generate`
  // does so for a name its filters refuse, so that the ring's 100 names are the names printed.
  void TakeBackName();

  // The history view: names produced since the Chapter loaded (up to the ring's 100), and which
  // one is shown, counted from the newest (0).
  int HistoryCount() const { return history_count_; }
  int HistoryIndex() const { return history_index_; }
  // Shows the n-th newest name: n above the names produced shows the oldest, below 0 the newest.
  void ShowHistoryEntry(int n);
  // The name shown; the empty text before the first one.
  const std::string& ShownName() const { return generator_.History().Newest(history_index_); }

  // The Store.

  // "STORED.txt" opened for a store of the current run, titled with the Chapter's title: its first
  // name goes after a dated title line when the run has none yet (or another writer stored since
  // its last name). A Chapter must be loaded; the store must not outlive the session. When the
  // file could not be opened, the store's Error() says why and nothing is written.
  StoreFile OpenStore();
  // Keeps the Store in "STORED.bak" and writes the cleared-store marker; the next store starts
  // the file afresh. On a failure the Store and the current run stay as they were.
  // `kept_foreign_file` as qorv::ClearStore gives it.
  Result<void> ClearStore(bool* kept_foreign_file = nullptr);
  // The current run of names already has its title line in the Store.
  bool TitleLineWritten() const { return store_run_.TitleLineWritten; }

  // The loader's client.
  void ShowProgressGauge() override;
  void SetProgress(int value) override;
  ChapterStatistics& Statistics() override { return *statistics_; }
  NameHistory& History() override { return generator_.History(); }
  const NameHistory& History() const { return generator_.History(); }

  // Where the gauge calls of a load go; nullptr (the default) drops them.
  void SetLoadGauge(LoadGauge* gauge) { gauge_ = gauge; }

  // The generator's tally of attempts, and the state of its current request.
  const AttemptCounts& Counts() const { return generator_.Counts(); }
  const RequestState& Request() const { return generator_.State(); }
  // Every attempt from now on tells `facts` what it made; nullptr stops it (NameGenerator).
  void TellFacts(NameFacts* facts) { generator_.TellFacts(facts); }
  // A deferred log gets its bytes now.
  void WriteLog() { generator_.WriteLog(); }

  // Test seams: the driver (one attempt) and the clock that stamps the Store's title lines.
  void SetAttempt(AttemptFunction attempt) { attempt_ = std::move(attempt); }
  void SetStoreStamp(StoreClock clock) { settings_.StoreStamp = std::move(clock); }

 private:
  Settings settings_;
  std::unique_ptr<ChapterStatistics> statistics_;
  std::unique_ptr<TQorvChapter> chapter_;
  NameGenerator generator_;
  AttemptFunction attempt_;
  LoadGauge* gauge_ = nullptr;
  int history_count_ = 0;
  int history_index_ = 0;
  // The ring's slot the last NextName could overwrite, and the counters before it, for
  // TakeBackName.
  struct HistoryBefore {
    NameHistory::Mark Ring;
    int ViewCount = 0;
    int ViewIndex = 0;
  } before_name_;
  StoreRun store_run_;
};

}  // namespace qorv
