// The session's own bookkeeping: the history view, the runs of names in the Store, and what a
// new Chapter resets. (The names themselves are the generator's, pinned by the golden records.)
#include "session/lexicon_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/chapter_source.h"

namespace qorv {
namespace {

using testing::ChapterSource;
using testing::TempDir;
using testing::TempFile;

constexpr StoreDateTime kStamp{1998, 3, 7, 15, 5, 9};

class LexiconSessionTest : public ::testing::Test {
 protected:
  LexiconSessionTest()
      : session_(LexiconSession::Settings{.LogPath = "",
                                          .StoreDirectory = folder_.path().string(),
                                          .SeedClock = [] { return 12345u; },
                                          .StoreStamp = [] { return kStamp; }}) {}

  // Loads `source` and hands it over, as the dialog's load thread does.
  void Load(const ChapterSource& source) {
    const TempFile file(source.Text());
    session_.SetChapter(session_.LoadChapterFile(file.path(), 1000));
  }

  // A driver that accepts "Name1", "Name2", ... in turn, as validation would.
  void CountingNames() {
    session_.SetAttempt([this](const GenerationRequest&) {
      const std::string name = "Name" + std::to_string(++made_);
      session_.History().Add(name);
      return name;
    });
  }

  std::string Store() const {
    std::ifstream in(folder_.path() / kStoreFileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  TempDir folder_;
  LexiconSession session_;
  int made_ = 0;
};

TEST_F(LexiconSessionTest, TheHistoryViewCountsUpToTheRingAndClampsBrowsing) {
  Load({});
  ASSERT_TRUE(session_.HasLoadedChapter());
  CountingNames();
  for (int i = 0; i < 120; ++i) ASSERT_TRUE(session_.NextName({}));
  EXPECT_EQ(session_.HistoryCount(), 100);
  EXPECT_EQ(session_.ShownName(), "Name120");
  session_.ShowHistoryEntry(500);
  EXPECT_EQ(session_.HistoryIndex(), 99);
  EXPECT_EQ(session_.ShownName(), "Name21");
  session_.ShowHistoryEntry(-3);
  EXPECT_EQ(session_.HistoryIndex(), 0);
  // A name that never comes leaves the view as it was.
  session_.ShowHistoryEntry(4);
  session_.SetAttempt([](const GenerationRequest&) { return std::string(); });
  EXPECT_EQ(session_.NextName({}), std::nullopt);
  EXPECT_EQ(session_.HistoryIndex(), 4);
  EXPECT_EQ(session_.Request().NewRequest, 1);
}

TEST_F(LexiconSessionTest, EachRunOfNamesInTheStoreHasOneTitleLine) {
  Load({.title = "Coast"});
  CountingNames();
  const std::string title_line = "\r\n[Coast - March 7, 1998 3:05:09 pm]\r\n";
  for (int i = 0; i < 2; ++i) session_.OpenStore().WriteName(*session_.NextName({}), false);
  EXPECT_EQ(Store(), std::string(kStoreHeader) + title_line + "Name1\r\nName2\r\n");
  EXPECT_TRUE(session_.TitleLineWritten());

  // A new load opens a new run; a failed load does not.
  Load({.title = "Coast"});
  EXPECT_FALSE(session_.TitleLineWritten());
  EXPECT_EQ(session_.HistoryCount(), 0);
  session_.OpenStore().WriteName(*session_.NextName({}), false);
  Load({.names_tag = false});
  EXPECT_FALSE(session_.HasLoadedChapter());
  EXPECT_TRUE(session_.TitleLineWritten());
  EXPECT_EQ(session_.HistoryCount(), 1);

  // Clear Store: the next store starts the file afresh.
  Load({.title = "Coast"});
  session_.OpenStore().WriteName(*session_.NextName({}), false);
  session_.ClearStore();
  EXPECT_FALSE(session_.TitleLineWritten());
  session_.OpenStore().WriteName(*session_.NextName({}), false);
  EXPECT_EQ(Store(), std::string(kStoreHeader) + title_line + "Name5\r\n");
}

}  // namespace
}  // namespace qorv
