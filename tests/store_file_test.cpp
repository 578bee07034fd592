// The Store file byte for byte: header, dated title lines, name lines, Clear Store and its
// backup, the backup of a foreign file, and the failures reported when a file cannot be written.
#include "store/store_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "io/regular_file.h"
#include "store/store_backup.h"
#include "tests/file_size_limit.h"

namespace qorv {
namespace {

namespace fs = std::filesystem;
using testing::FileSizeLimit;

}  // namespace

// "" when a Store call succeeded, else its message.
std::string Failure(const Result<void>& result) {
  return result ? std::string() : result.error().message;
}

namespace {

const std::string kH1(kStoreHeader);
const std::string kH2(kClearedStoreMarker);

constexpr StoreDateTime kMarch7 = {1998, 3, 7, 15, 5, 9};
const std::string kMarch7Line = "\r\n[Coastal Villages - March 7, 1998 3:05:09 pm]\r\n";

// A directory of its own for every test, removed afterwards.
class StoreFileTest : public ::testing::Test {
 protected:
  StoreFileTest() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("qorv_store_" + std::to_string(::getpid()) + "_" + test->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~StoreFileTest() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  std::string Dir() const { return dir_.string(); }
  fs::path StorePath() const { return dir_ / kStoreFileName; }
  fs::path BackupPath() const { return dir_ / kStoreBackupFileName; }

  // The names in the directory, to see that nothing was added, removed or left behind.
  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename());
    return names;
  }

  static std::string Read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  // One store as the dialog makes it: open, title line if needed, the names, close.
  void Store(const std::vector<std::string>& names, bool trailing_line = false,
             const std::string& title = "Coastal Villages", StoreDateTime when = kMarch7) {
    StoreFile store(Dir(), [when] { return when; });
    store.Open(title, run_);
    for (const std::string& name : names) store.WriteName(name, trailing_line);
    store.Close();
  }

  StoreRun run_;
  fs::path dir_;
};

TEST(StoreDateTimeTest, HoursOnTheTwelveHourClock) {
  const struct {
    int hour, minute, second;
    const char* text;
  } cases[] = {
      {0, 0, 0, "0:00:00 am"},     {0, 15, 0, "0:15:00 am"},  {9, 5, 7, "9:05:07 am"},
      {11, 59, 59, "11:59:59 am"}, {12, 0, 0, "12:00:00 pm"}, {12, 30, 5, "12:30:05 pm"},
      {13, 0, 0, "1:00:00 pm"},    {15, 5, 9, "3:05:09 pm"},  {23, 59, 0, "11:59:00 pm"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatStoreDateTime({2026, 1, 2, c.hour, c.minute, c.second}),
              std::string("January 2, 2026 ") + c.text);
  }
}

TEST(StoreDateTimeTest, MonthsInFullAndTheDayWithoutLeadingZero) {
  const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                          "July",    "August",   "September", "October", "November", "December"};
  for (int month = 1; month <= 12; ++month) {
    EXPECT_EQ(
        FormatStoreDateTime({1998, month, month * 2, 15, 5, 9}),
        std::string(months[month - 1]) + " " + std::to_string(month * 2) + ", 1998 3:05:09 pm");
  }
}

TEST(StoreLinesTest, TitleLineCutsTheTitleAt63Bytes) {
  EXPECT_EQ(StoreTitleLine("Coastal Villages", kMarch7), kMarch7Line);
  const std::string title63(63, 'T');
  EXPECT_EQ(StoreTitleLine(title63 + "UVW", kMarch7),
            "\r\n[" + title63 + " - March 7, 1998 3:05:09 pm]\r\n");
  EXPECT_EQ(StoreTitleLine("", kMarch7), "\r\n[ - March 7, 1998 3:05:09 pm]\r\n");
}

TEST(StoreLinesTest, TrailingLineFillsTheLineTo70Characters) {
  EXPECT_EQ(StoreNameLine("Brisa", false), "Brisa\r\n");
  const std::string five = StoreNameLine("Brisa", true);
  EXPECT_EQ(five, "Brisa " + std::string(64, '_') + "\r\n");
  EXPECT_EQ(five.size(), 70u + 2);

  const std::string n68(68, 'a'), n69(69, 'b'), n70(70, 'c');
  EXPECT_EQ(StoreNameLine(n68, true), n68 + " _\r\n");
  EXPECT_EQ(StoreNameLine(n69, true), n69 + " \r\n");
  EXPECT_EQ(StoreNameLine(n70, true), n70 + " \r\n");
  // Long names are stored whole.
  EXPECT_EQ(StoreNameLine(n70, false), n70 + "\r\n");
}

TEST_F(StoreFileTest, FirstStoreIntoAMissingFileWritesHeaderTitleLineAndName) {
  Store({"Brisa"});
  EXPECT_EQ(Read(StorePath()), kH1 + kMarch7Line + "Brisa\r\n");
  EXPECT_TRUE(run_.TitleLineWritten);
  EXPECT_FALSE(fs::exists(BackupPath()));
}

TEST_F(StoreFileTest, SecondStoreOfTheRunAddsOnlyTheNameLine) {
  Store({"Brisa"});
  Store({"Corwen"}, true, "Coastal Villages", {1998, 3, 7, 15, 6, 0});
  EXPECT_EQ(Read(StorePath()),
            kH1 + kMarch7Line + "Brisa\r\nCorwen " + std::string(63, '_') + "\r\n");
}

TEST_F(StoreFileTest, AStoreAfterTheFlagIsClearedStartsANewRunWithATitleLine) {
  Store({"Brisa", "Corwen"});
  run_.TitleLineWritten = false;  // as a Chapter load does
  Store({"Keno"}, false, "Norse Steadings", {2026, 12, 31, 0, 15, 0});
  EXPECT_EQ(Read(StorePath()), kH1 + kMarch7Line + "Brisa\r\nCorwen\r\n" +
                                   "\r\n[Norse Steadings - December 31, 2026 0:15:00 am]\r\n" +
                                   "Keno\r\n");
}

TEST_F(StoreFileTest, ClearStoreMarksTheFileAndTheNextStoreEmptiesIt) {
  // A 500-byte Store.
  std::string old = kH1 + kMarch7Line;
  for (int i = 0; old.size() < 500; ++i) old += "Name" + std::to_string(i) + "\r\n";
  old.resize(500);
  Write(StorePath(), old);

  EXPECT_EQ(Failure(ClearStore(Dir())), "");
  EXPECT_EQ(Read(StorePath()), kH2 + old.substr(89));
  // What the Store held is kept, so that the Clear can be undone by hand ...
  EXPECT_EQ(Read(BackupPath()), old);
  // ... and a second Clear keeps that copy rather than the cleared file.
  EXPECT_EQ(Failure(ClearStore(Dir())), "");
  EXPECT_EQ(Read(BackupPath()), old);

  run_.TitleLineWritten = false;  // as the dialog does on Clear Store
  Store({"Brisa"});
  EXPECT_EQ(Read(StorePath()), kH1 + kMarch7Line + "Brisa\r\n");
  EXPECT_EQ(Read(BackupPath()), old);  // the store empties the cleared file without a copy
}

TEST_F(StoreFileTest, ClearStoreKeepsAForeignFileInTheBackupBeforeMarkingIt) {
  const std::string notes =
      "My own notes about the Norse names, not a Store at all.\r\n"
      "They run well past the length of the marker that clears a Store.\r\n";
  Write(StorePath(), notes);
  ClearStore(Dir());
  EXPECT_EQ(Read(BackupPath()), notes);
  EXPECT_EQ(Read(StorePath()), kH2 + notes.substr(89));
}

TEST_F(StoreFileTest, ClearStoreCreatesAMissingFile) {
  ClearStore(Dir());
  EXPECT_EQ(Read(StorePath()), kH2);
  EXPECT_FALSE(fs::exists(BackupPath()));  // nothing to keep
}

TEST_F(StoreFileTest, AHeaderMismatchClearsTheFlagAndRestartsTheFile) {
  Write(StorePath(), "");
  run_.TitleLineWritten = true;  // the run had its title line, but the file was emptied since
  Store({"Brisa"});
  EXPECT_EQ(Read(StorePath()), kH1 + kMarch7Line + "Brisa\r\n");
  EXPECT_FALSE(fs::exists(BackupPath()));  // an empty file holds nothing to keep
}

TEST_F(StoreFileTest, AForeignFileIsCopiedToTheBackupBeforeItIsReplaced) {
  std::string large(200000, 'x');  // larger than one copy buffer
  for (std::size_t i = 0; i < large.size(); i += 97) large[i] = static_cast<char>('A' + i % 26);
  const std::vector<std::string> foreign = {
      "My own notes\r\nOn two lines\r\n",
      kH1.substr(0, 50),                         // the header cut short
      "// The Quorvane Lexicon v2.0\r\n" + kH1,  // an older header
      large,
  };
  for (const std::string& content : foreign) {
    Write(StorePath(), content);
    Write(BackupPath(), "an older backup");
    run_.TitleLineWritten = true;
    Store({"Brisa"});
    EXPECT_EQ(Read(BackupPath()), content);
    EXPECT_EQ(Read(StorePath()), kH1 + kMarch7Line + "Brisa\r\n");
  }
}

TEST_F(StoreFileTest, WhenTheBackupCannotBeWrittenTheFileIsLeftAloneAndTheBackupNamed) {
  fs::create_directory(BackupPath());  // a directory where the backup should go
  const std::string backup_failed = StoreFailure(kStoreBackupFileName, EISDIR).message;
  // A foreign file before a store.
  const std::string notes = "My own notes\r\n";
  Write(StorePath(), notes);
  StoreFile store(Dir(), [] { return kMarch7; });
  EXPECT_EQ(Failure(store.Open("Coastal Villages", run_)), backup_failed);
  EXPECT_FALSE(store.IsOpen());
  EXPECT_EQ(Failure(store.WriteName("Brisa", false)), backup_failed);
  EXPECT_EQ(Failure(store.Close()), backup_failed);
  EXPECT_EQ(Read(StorePath()), notes);
  // Any file before Clear Store.
  for (const std::string& content : {notes, kH1 + kMarch7Line + "Brisa\r\n"}) {
    Write(StorePath(), content);
    EXPECT_EQ(Failure(ClearStore(Dir())), backup_failed);
    EXPECT_EQ(Read(StorePath()), content);
  }
  EXPECT_EQ(backup_failed, "STORED.bak: Is a directory");
}

TEST_F(StoreFileTest, AStoreThatCannotBeOpenedReportsTheFileAndTheReason) {
  Write(StorePath(), "");
  const struct {
    fs::path dir;
    int error;
  } cases[] = {
      {fs::path(Dir()) / "missing", ENOENT},  // no such directory
      {StorePath(), ENOTDIR},                 // a "directory" that is a file
  };
  for (const auto& c : cases) {
    StoreFile store(c.dir.string(), [] { return kMarch7; });
    run_.TitleLineWritten = true;
    EXPECT_EQ(Failure(store.Open("Coastal Villages", run_)),
              StoreFailure(kStoreFileName, c.error).message);
    EXPECT_FALSE(store.IsOpen());
    EXPECT_FALSE(run_.TitleLineWritten);
    EXPECT_EQ(Failure(store.WriteName("Brisa", true)),
              StoreFailure(kStoreFileName, c.error).message);
    EXPECT_FALSE(run_.TitleLineWritten);
    EXPECT_EQ(Failure(ClearStore(c.dir.string())), StoreFailure(kStoreFileName, c.error).message);
    EXPECT_FALSE(fs::exists(c.dir / kStoreFileName));
  }
  EXPECT_EQ(Read(StorePath()), "");
  // A directory named like the Store, which not even root can open as a file.
  fs::remove(StorePath());
  fs::create_directory(StorePath());
  StoreFile store(Dir());
  EXPECT_EQ(Failure(store.Open("Coastal Villages", run_)), "STORED.txt: not a regular file");
  EXPECT_EQ(Failure(ClearStore(Dir())), "STORED.txt: not a regular file");
}

TEST_F(StoreFileTest, AWriteThatFailsHalfWayIsCutOffAndEndsTheStore) {
  const std::string two_names = kH1 + kMarch7Line + "Brisa\r\nCorwen\r\n";
  const std::string too_large = StoreFailure(kStoreFileName, EFBIG).message;
  StoreFile store(Dir(), [] { return kMarch7; });
  {
    // Room for the two names and half the third.
    const FileSizeLimit limit(two_names.size() + 4);
    EXPECT_EQ(Failure(store.Open("Coastal Villages", run_)), "");
    EXPECT_EQ(Failure(store.WriteName("Brisa", false)), "");
    EXPECT_EQ(Failure(store.WriteName("Corwen", false)), "");
    EXPECT_EQ(Failure(store.WriteName("Dunmarra", false)), too_large);
  }
  // Nothing more is written once a write has failed.
  EXPECT_FALSE(store.IsOpen());
  EXPECT_EQ(Failure(store.WriteName("Eskil", false)), too_large);
  EXPECT_EQ(Failure(store.Close()), too_large);
  EXPECT_EQ(Read(StorePath()), two_names);

  // A title line that does not fit leaves the run without one, and without its name.
  fs::remove(StorePath());
  run_.TitleLineWritten = false;
  const FileSizeLimit limit(kH1.size() + 10);
  StoreFile next(Dir(), [] { return kMarch7; });
  EXPECT_EQ(Failure(next.Open("Coastal Villages", run_)), "");
  EXPECT_EQ(Failure(next.WriteName("Brisa", false)), too_large);
  EXPECT_FALSE(run_.TitleLineWritten);
  EXPECT_EQ(Read(StorePath()), kH1);
}

// A store waits while another writer holds the Store's lock, and when that writer has appended
// meanwhile, its name starts a fresh title line of its run rather than joining the other's block.
TEST_F(StoreFileTest, AStoreWaitsForAnotherWritersLockAndThenStartsAFreshTitleLine) {
  Store({"Brisa"});
  const int other = ::open(StorePath().c_str(), O_WRONLY | O_APPEND);
  ASSERT_EQ(::flock(other, LOCK_EX), 0);
  std::atomic<bool> stored = false;
  std::thread writer([this, &stored] {
    Store({"Corwen"});
    stored = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(stored);
  const std::string block = "\r\n[Norse Steadings - March 7, 1998 3:05:10 pm]\r\nKeno\r\n";
  EXPECT_EQ(::write(other, block.data(), block.size()), static_cast<ssize_t>(block.size()));
  ::flock(other, LOCK_UN);
  writer.join();
  ::close(other);
  EXPECT_EQ(Read(StorePath()),
            kH1 + kMarch7Line + "Brisa\r\n" + block + kMarch7Line + "Corwen\r\n");
}

// Only regular files are written: links to anything else are refused, whatever is in the way of
// a backup is kept under a numbered name, and a backup that cannot be finished changes nothing.
TEST_F(StoreFileTest, HostilePathsLoseNoFileAndWriteOnlyRegularFiles) {
  const std::string not_regular = StoreFailure(kStoreFileName, kNotRegularFile).message;
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0644), 0);
  fs::create_directory(dir_ / "folder");
  for (const fs::path& target : {fs::path("/dev/zero"), dir_ / "fifo", dir_ / "folder"}) {
    fs::create_symlink(target, StorePath());
    const std::set<std::string> before = Listing();
    StoreFile store(Dir(), [] { return kMarch7; });
    EXPECT_EQ(Failure(store.Open("Coastal Villages", run_)), not_regular) << target;
    EXPECT_EQ(Failure(store.WriteName("Brisa", false)), not_regular) << target;
    EXPECT_EQ(Failure(ClearStore(Dir())), not_regular) << target;
    EXPECT_EQ(Listing(), before) << target;
    fs::remove(StorePath());
  }
  EXPECT_EQ(not_regular, "STORED.txt: not a regular file");
  EXPECT_TRUE(fs::is_empty(dir_ / "folder"));

  // A link to a regular file the user made is followed.
  Write(dir_ / "mine.txt", "");
  fs::create_symlink(dir_ / "mine.txt", StorePath());
  Store({"Brisa"});
  EXPECT_EQ(Read(dir_ / "mine.txt"), kH1 + kMarch7Line + "Brisa\r\n");
  EXPECT_TRUE(fs::is_symlink(StorePath()));
  fs::remove(StorePath());
  fs::remove(dir_ / "mine.txt");

  // A planted STORED.bak link: its target stays as it is, the link is kept as STORED.1.bak.
  Write(dir_ / "precious.txt", "precious");
  fs::create_symlink(dir_ / "precious.txt", BackupPath());
  const std::vector<std::string> foreign = {"notes A\r\n", "notes B\r\n", "notes C\r\n"};
  Write(StorePath(), foreign[0]);
  StoreFile store(Dir(), [] { return kMarch7; });
  EXPECT_EQ(Failure(store.Open("Coastal Villages", run_)), "");
  EXPECT_TRUE(store.KeptForeignFile());
  store.Close();
  EXPECT_EQ(Read(dir_ / "precious.txt"), "precious");
  EXPECT_EQ(fs::read_symlink(dir_ / NumberedBackupName(1)), dir_ / "precious.txt");
  EXPECT_EQ(Read(BackupPath()), foreign[0]);
  EXPECT_FALSE(fs::is_symlink(BackupPath()));
  fs::remove(dir_ / NumberedBackupName(1));

  // Each take-over keeps the backup before it under the next number; one equal to the new
  // backup is not kept twice.
  for (const std::string& notes : {foreign[1], foreign[2], foreign[2]}) {
    Write(StorePath(), notes);
    Store({"Brisa"});
  }
  EXPECT_EQ(Read(BackupPath()), foreign[2]);
  EXPECT_EQ(Read(dir_ / NumberedBackupName(1)), foreign[0]);
  EXPECT_EQ(Read(dir_ / NumberedBackupName(2)), foreign[1]);
  EXPECT_FALSE(fs::exists(dir_ / NumberedBackupName(3)));

  // A full disk during the backup, of a store and of Clear Store: every file stays as it was,
  // no temporary file is left, and the backup is named as what could not be written.
  const std::string large(100000, 'x');
  for (const std::string& content : {large, kH1 + large}) {
    Write(StorePath(), content);
    const std::set<std::string> before = Listing();
    const std::string backup = Read(BackupPath());
    const std::string too_large = StoreFailure(kStoreBackupFileName, EFBIG).message;
    {
      const FileSizeLimit limit(large.size() / 2);
      StoreFile full(Dir(), [] { return kMarch7; });
      if (content == large) {
        EXPECT_EQ(Failure(full.Open("Coastal Villages", run_)), too_large);
      }
      EXPECT_EQ(Failure(ClearStore(Dir())), too_large);
    }
    EXPECT_EQ(Listing(), before);
    EXPECT_EQ(Read(StorePath()), content);
    EXPECT_EQ(Read(BackupPath()), backup);
  }
  EXPECT_EQ(Read(dir_ / NumberedBackupName(1)), foreign[0]);
}

}  // namespace
}  // namespace qorv
