// `qorv generate`: the names it prints, its determinism under --seed, its options and exit codes.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include "cli/generate_command.h"
#include "cli/standard_output.h"
#include "cli_test_support.h"
#include "store/store_file.h"
#include "tests/file_size_limit.h"

namespace qorv {
namespace {

using testing::MakeChapter;
using testing::RunCommandLine;
using testing::TempFolder;

std::string SampleChapter(const std::string& name) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return (std::filesystem::path(source ? source : ".") / "chapters" / name).string();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(QorvGenerate, SameSeedGivesTheSameNamesAndAnotherSeedOthers) {
  const std::string chapter = SampleChapter("towns_of_the_realm.qrv");
  const std::vector<std::string> args = {
      "generate",     chapter,         "-n",         "50",         "-g",     "3",   "-v", "2",
      "--structural", "--statistical", "--prefixes", "--suffixes", "--seed", "4242"};
  const auto first = RunCommandLine(args);
  const auto second = RunCommandLine(args);
  ASSERT_EQ(first.exit_code, 0) << first.err;
  EXPECT_EQ(first.out, second.out);
  EXPECT_EQ(Lines(first.out).size(), 50u);
  EXPECT_EQ(first.err, "");

  std::vector<std::string> other_args = args;
  other_args.back() = "4243";
  EXPECT_NE(RunCommandLine(other_args).out, first.out);
}

TEST(QorvGenerate, NamesAreCapitalisedAndNoneRepeatsWithinAHundred) {
  const auto run = RunCommandLine(
      {"generate", SampleChapter("coastal_villages.qrv"), "--auto", "-n", "100", "--seed", "7"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<std::string> names = Lines(run.out);
  ASSERT_EQ(names.size(), 100u);
  for (std::size_t i = 0; i < names.size(); ++i) {
    ASSERT_GE(names[i].size(), 2u);
    EXPECT_TRUE(names[i][0] >= 'A' && names[i][0] <= 'Z') << names[i];
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(names[i], names[j]);
  }
}

// The names a filter refuses do not push printed names out of the recent names.
TEST(QorvGenerate, NoPrintedNameRepeatsWithinAHundredPrintedNamesUnderFilters) {
  const auto run = RunCommandLine({"generate", SampleChapter("coastal_villages.qrv"),
                                   "--max-length", "4", "-n", "3000", "--seed", "1"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<std::string> names = Lines(run.out);
  ASSERT_EQ(names.size(), 3000u);
  for (std::size_t i = 1; i < names.size(); ++i) {
    for (std::size_t j = i < 100 ? 0 : i - 100; j < i; ++j) {
      ASSERT_NE(names[i], names[j]) << "names " << j + 1 << " and " << i + 1;
    }
  }
}

TEST(QorvGenerate, AutoTakesTheChapterOptionsAsTheDialogWould) {
  TempFolder folder;
  // FIT:7 and VAL:9 lie outside the buttons' range and so act as level 0 and validation 0.
  const std::string chapter =
      folder.Write("auto.qrv", MakeChapter("", "", "STRUCTGEN FIT:7 VAL:9",
                                           "\"Bada\", \"Keno\", \"Lusi\", \"Marot\", \"Tavi\""));
  const auto automatic = RunCommandLine({"generate", chapter, "--auto", "-n", "5", "--seed", "3"});
  const auto by_hand =
      RunCommandLine({"generate", chapter, "--structural", "-n", "5", "--seed", "3"});
  ASSERT_EQ(automatic.exit_code, 0) << automatic.err;
  EXPECT_EQ(automatic.out, by_hand.out);
}

TEST(QorvGenerate, InitialLetterIsTakenInUtf8AndUpperCased) {
  const std::string chapter = SampleChapter("sunlit_vineyards.qrv");
  for (const char* letter : {"É", "é"}) {
    const auto run = RunCommandLine({"generate", chapter, "-i", letter, "-n", "5", "--seed", "9"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    for (const std::string& name : Lines(run.out)) EXPECT_EQ(name.rfind("É", 0), 0u) << name;
  }
  const auto lower =
      RunCommandLine({"generate", SampleChapter("coastal_villages.qrv"), "-i", "b", "-n", "3"});
  for (const std::string& name : Lines(lower.out)) EXPECT_EQ(name[0], 'B') << name;
}

TEST(QorvGenerate, AnInitialLetterNoNameCanBeginWithIsRefusedAtOnce) {
  TempFolder folder;
  const std::string coast = SampleChapter("coastal_villages.qrv");
  // Under Y:SEMI the Y of Ylva is a vowel, which the generator never puts first under Y while
  // another name begins with a consonant: the letters offered are those a name can begin with.
  const std::string semi =
      folder.Write("semi.qrv", MakeChapter("", "", "Y:SEMI", "\"Ylva\", \"Bodo\""));
  const struct {
    std::string chapter;
    const char* letter;
    std::string err;
  } cases[] = {
      {coast, "x",
       "qorv: " + coast + ": no name can begin with X; initial letters: ABCDEFGHIKLMNOPQRSTUWZ\n"},
      {semi, "y", "qorv: " + semi + ": no name can begin with Y; initial letters: B\n"},
  };
  for (const auto& c : cases) {
    const auto run = RunCommandLine({"generate", c.chapter, "-i", c.letter, "-n", "1"});
    EXPECT_EQ(run.exit_code, kExitUsage) << c.letter;
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
  // A letter the code page of Chapters cannot hold is not "more than one letter".
  const auto polish = RunCommandLine({"generate", coast, "-i", "\xC5\x81"});  // Ł
  EXPECT_EQ(polish.exit_code, kExitUsage);
  EXPECT_EQ(polish.err.rfind("qorv: --initial: Windows-1252, the code page of Chapters, has no "
                             "\xC5\x81\n",
                             0),
            0u)
      << polish.err;
  EXPECT_EQ(RunCommandLine({"generate", coast, "-i", "ab"})
                .err.rfind("qorv: --initial: must be one letter: ab\n", 0),
            0u);
}

TEST(QorvGenerate, EncodingChoosesTheBytesOfTheNames) {
  TempFolder folder;
  const std::string chapter = folder.Write("accents.qrv", MakeChapter("", "", "",
                                                                      "\"\xC9"
                                                                      "bo\""));
  const auto utf8 = RunCommandLine({"generate", chapter, "-n", "1", "--seed", "1"});
  const auto cp1252 =
      RunCommandLine({"generate", chapter, "-n", "1", "--seed", "1", "--encoding", "cp1252"});
  EXPECT_EQ(utf8.out,
            "\xC3\x89"
            "bo\n");
  EXPECT_EQ(cp1252.out,
            "\xC9"
            "bo\n");
}

TEST(QorvGenerate, LogIsWrittenOnlyWhenAsked) {
  TempFolder folder;
  const std::string chapter = folder.Write("pa.qrv", MakeChapter("", "", "", "\"Pa\""));
  const std::string log = folder.Path("gen.log");
  const auto run = RunCommandLine({"generate", chapter, "-n", "1", "--seed", "1", "--log", log});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  // One class (0), one pattern, one candidate at each position.
  EXPECT_EQ(Slurp(log), "0\r\n\r\nP : P\r\nA : A\r\n\r\n-> PA -> Pa");
  EXPECT_FALSE(std::filesystem::exists(folder.Path("!qrv_log.txt")));
}

TEST(QorvGenerate, ALogThatCannotBeOpenedStopsTheRunBeforeAnyName) {
  TempFolder folder;
  const std::string chapter = folder.Write("pa.qrv", MakeChapter("", "", "", "\"Pa\""));
  const struct {
    std::string log;
    const char* reason;
  } cases[] = {
      {folder.Path(""), "not a regular file"},
      {folder.Path("missing/gen.log"), "No such file or directory"},
  };
  for (const auto& c : cases) {
    const auto run = RunCommandLine({"generate", chapter, "-n", "1", "--log", c.log});
    EXPECT_EQ(run.exit_code, kExitOutputNotWritten);
    EXPECT_EQ(run.err, "qorv: " + c.log + ": " + c.reason + "\n");
    EXPECT_EQ(run.out, "");
  }
}

TEST(QorvGenerate, ExhaustedChapterStopsWithExitThreeAfterTheNamesItFound) {
  TempFolder folder;
  // Only one name can be made; the second is always in the history.
  const std::string chapter = folder.Write("pa.qrv", MakeChapter("", "", "", "\"Pa\""));
  const auto run = RunCommandLine({"generate", chapter, "-n", "2", "--seed", "1", "--stats"});
  EXPECT_EQ(run.exit_code, kExitNoNewName);
  EXPECT_EQ(run.out, "Pa\n");
  EXPECT_NE(run.err.find("qorv: no new name found after 20000 attempts\n"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("1 names from 20001 attempts"), std::string::npos) << run.err;
}

TEST(QorvGenerate, StatsCountSeedNames) {
  TempFolder folder;
  const std::string chapter = folder.Write("pa.qrv", MakeChapter("", "", "", "\"Pa\""));
  const auto run = RunCommandLine({"generate", chapter, "-n", "1", "--stats"});
  ASSERT_EQ(run.exit_code, 0);
  const std::size_t line = run.err.find("names equal to a seed name");
  ASSERT_NE(line, std::string::npos) << run.err;
  EXPECT_EQ(run.err.substr(line).find("1   100.0 %\n"), run.err.size() - line - 12) << run.err;
}

TEST(QorvGenerate, ChapterThatDoesNotLoadExitsWithOne) {
  TempFolder folder;
  const auto run = RunCommandLine({"generate", folder.Path("missing.qrv")});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "qorv: " + folder.Path("missing.qrv") + ": Couldn't open file\nqorv: " +
                         folder.Path("missing.qrv") + ": No such file or directory\n");
  EXPECT_EQ(run.out, "");
}

TEST(QorvGenerate, UsageErrorsExitWithTwo) {
  const std::string chapter = SampleChapter("coastal_villages.qrv");
  const std::vector<std::vector<std::string>> bad = {
      {"generate"},
      {"generate", chapter, "-n", "0"},
      {"generate", chapter, "-n", "4294967296"},
      {"generate", chapter, "-n", "abc"},
      {"generate", chapter, "-g", "4"},
      {"generate", chapter, "-v", "3"},
      {"generate", chapter, "--seed", "4294967296"},
      {"generate", chapter, "--seed", "-1"},
      {"generate", chapter, "-i", "ab"},
      {"generate", chapter, "-i", "\xE2\x82\xAC\xE2\x82\xAC"},
      {"generate", chapter, "--encoding", "latin1"},
      {"generate", chapter, "--auto", "-g", "1"},
      {"generate", chapter, "--auto", "--structural"},
      {"generate", chapter, "--unknown"},
      {"generate", chapter, "--trailing-line"},
  };
  for (const auto& args : bad) {
    const auto run = RunCommandLine(args);
    EXPECT_EQ(run.exit_code, 2) << args.back();
    EXPECT_NE(run.err.find("\nRun 'qorv generate --help' for the options.\n"), std::string::npos)
        << args.back();
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(RunCommandLine({"generate", chapter, "--seed", "4294967295", "-n", "1"}).exit_code, 0);
}

// Makes a folder the current directory for the life of the object, as `--store` writes there.
class InDirectory {
 public:
  explicit InDirectory(const std::filesystem::path& dir)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~InDirectory() { std::filesystem::current_path(previous_); }
  InDirectory(const InDirectory&) = delete;
  InDirectory& operator=(const InDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

const std::string kHeader(kStoreHeader);

// A Chapter with a name that begins with an accented letter, so that the Store's bytes show.
std::string StoreChapter(const TempFolder& folder, const std::string& title) {
  return folder.Write("store.qrv",
                      testing::CrLf({"TITLE \"" + title + "\";", "LINE1 \"\";", "LINE2 \"\";",
                                     "DATE \"\";", "SPCCON \"\";", "SPCVOW \"\";", "GENOPT \"\";",
                                     "NAMES \"\xC9la\", \"Bor\", \"Kemi\", \"Talun\";"}));
}

TEST(QorvGenerateStore, EachRunAppendsOneTitleLineAndItsNamesInWindows1252) {
  TempFolder folder;
  const std::string chapter = StoreChapter(folder, "Store Test");
  InDirectory here(folder.Path(""));
  GenerateOptions options;
  options.chapter_path = chapter;
  options.count = 4;
  options.seed = 5;
  options.store = true;
  options.encoding = GenerateOptions::Encoding::kCp1252;  // the Store's bytes
  options.initial = '\xC9';
  std::ostringstream first_out, second_out, err;
  ASSERT_EQ(
      RunGenerate(options, first_out, err, [] { return StoreDateTime{1998, 3, 7, 15, 5, 9}; }), 0)
      << err.str();
  options.seed = 6;
  options.trailing_line = true;
  ASSERT_EQ(
      RunGenerate(options, second_out, err, [] { return StoreDateTime{1998, 3, 7, 0, 15, 0}; }), 0)
      << err.str();

  std::string expected = kHeader + "\r\n[Store Test - March 7, 1998 3:05:09 pm]\r\n";
  for (const std::string& name : Lines(first_out.str())) {
    expected += name + "\r\n";
  }
  expected += "\r\n[Store Test - March 7, 1998 0:15:00 am]\r\n";
  for (const std::string& name : Lines(second_out.str())) {
    expected += name + " " + std::string(69 - name.size(), '_') + "\r\n";
  }
  EXPECT_EQ(Slurp(folder.Path(kStoreFileName)), expected);
}

TEST(QorvGenerateStore, CommandLineStoresUnderADatedTitleCutAt63) {
  TempFolder folder;
  const std::string title(64, 'T');
  const std::string chapter = StoreChapter(folder, title);
  InDirectory here(folder.Path(""));
  const auto run = RunCommandLine({"generate", chapter, "-n", "3", "--seed", "2", "--store",
                                   "--trailing-line", "--encoding", "cp1252"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string store = Slurp(folder.Path(kStoreFileName));
  ASSERT_EQ(store.substr(0, kHeader.size()), kHeader);
  const std::regex title_line(
      "\r\n\\[" + title.substr(0, 63) +
      " - (January|February|March|April|May|June|July|August|September|October|November|"
      "December) [1-9][0-9]?, [0-9]{4} (1[0-2]|[0-9]):[0-5][0-9]:[0-6][0-9] (am|pm)\\]\r\n");
  std::smatch match;
  const std::string rest = store.substr(kHeader.size());
  ASSERT_TRUE(std::regex_search(rest, match, title_line)) << rest;
  EXPECT_EQ(match.position(0), 0);
  std::string names;
  for (const std::string& name : Lines(run.out)) {
    names += name + " " + std::string(69 - name.size(), '_') + "\r\n";
  }
  EXPECT_EQ(rest.substr(static_cast<std::size_t>(match.length(0))), names);
}

TEST(QorvGenerateStore, NamesFoundBeforeAnExhaustedChapterStayStored) {
  TempFolder folder;
  const std::string chapter = folder.Write("pa.qrv", MakeChapter("", "", "", "\"Pa\""));
  InDirectory here(folder.Path(""));
  GenerateOptions options;
  options.chapter_path = chapter;
  options.count = 2;
  options.seed = 1;
  options.store = true;
  std::ostringstream out, err;
  EXPECT_EQ(RunGenerate(options, out, err, [] { return StoreDateTime{2026, 12, 31, 23, 59, 0}; }),
            kExitNoNewName);
  EXPECT_EQ(Slurp(folder.Path(kStoreFileName)),
            kHeader + "\r\n[Test Chapter - December 31, 2026 11:59:00 pm]\r\nPa\r\n");
}

TEST(QorvGenerateStore, AStoreThatCannotBeWrittenExitsWithFourAndNamesTheFile) {
  TempFolder folder;
  const std::string chapter = StoreChapter(folder, "Store Test");
  InDirectory here(folder.Path(""));
  // A directory where the Store should be: no name is made.
  std::filesystem::create_directory(folder.Path(kStoreFileName));
  auto run = RunCommandLine({"generate", chapter, "-n", "3", "--store"});
  EXPECT_EQ(run.exit_code, kExitOutputNotWritten);
  EXPECT_EQ(run.err, "qorv: STORED.txt: not a regular file\n");
  EXPECT_EQ(run.out, "");
  // A Store with room for its header and title line only: the first name stays printed.
  std::filesystem::remove(folder.Path(kStoreFileName));
  const std::string start = kHeader + "\r\n[Store Test - March 7, 1998 3:05:09 pm]\r\n";
  GenerateOptions options;
  options.chapter_path = chapter;
  options.store = true;
  std::ostringstream out, err;
  int status = 0;
  {
    const testing::FileSizeLimit limit(start.size() + 1);
    status = RunGenerate(options, out, err, [] { return StoreDateTime{1998, 3, 7, 15, 5, 9}; });
  }
  EXPECT_EQ(status, kExitOutputNotWritten);
  EXPECT_EQ(err.str(), "qorv: STORED.txt: File too large\n");
  EXPECT_EQ(Lines(out.str()).size(), 1u) << out.str();
  // The title line goes with its first name, and both are cut off: no title line without names.
  EXPECT_EQ(Slurp(folder.Path(kStoreFileName)), kHeader);
}

TEST(QorvGenerateStore, AForeignFileIsKeptAndSaidSoAndOnlyRegularFilesAreWritten) {
  TempFolder folder;
  const std::string chapter = StoreChapter(folder, "Store Test");
  InDirectory here(folder.Path(""));
  folder.Write(kStoreFileName, "My own notes\r\n");
  auto run = RunCommandLine({"generate", chapter, "-n", "2", "--store"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "qorv: STORED.txt was not a Store: kept as STORED.bak\n");
  EXPECT_EQ(Slurp(folder.Path(kStoreBackupFileName)), "My own notes\r\n");
  // The second run finds a Store and says nothing.
  run = RunCommandLine({"generate", chapter, "-n", "2", "--store"});
  EXPECT_EQ(run.err, "");
  std::filesystem::remove(folder.Path(kStoreFileName));
  std::filesystem::create_symlink("/dev/zero", folder.Path(kStoreFileName));
  run = RunCommandLine({"generate", chapter, "-n", "2", "--store"});
  EXPECT_EQ(run.exit_code, kExitOutputNotWritten);
  EXPECT_EQ(run.err, "qorv: STORED.txt: not a regular file\n");
  EXPECT_EQ(Slurp(folder.Path(kStoreBackupFileName)), "My own notes\r\n");
}

TEST(QorvGenerateStore, AChapterThatDoesNotLoadStoresNothing) {
  TempFolder folder;
  InDirectory here(folder.Path(""));
  const auto run = RunCommandLine({"generate", folder.Path("missing.qrv"), "--store"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(std::filesystem::exists(folder.Path(kStoreFileName)));
}

// Runs the command line with standard output on the descriptor `fd`, as main() does.
testing::Run RunOnDescriptor(int fd, const std::vector<std::string>& args) {
  std::vector<const char*> argv{"qorv"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  DescriptorOutputBuffer buffer(fd);
  std::ostream out(&buffer);
  std::ostringstream err;
  testing::Run run;
  run.exit_code = RunQorv(static_cast<int>(argv.size()), argv.data(), out, err);
  run.err = err.str();
  return run;
}

TEST(QorvOutput, AFailedWriteToStandardOutputEndsTheRunWithFour) {
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  const std::string chapter = SampleChapter("coastal_villages.qrv");
  // The run stops at the first failed write instead of making every name.
  testing::Run run =
      RunOnDescriptor(full, {"generate", chapter, "-n", "100000", "--seed", "1", "--stats"});
  EXPECT_EQ(run.exit_code, kExitOutputNotWritten);
  std::smatch made;
  ASSERT_TRUE(std::regex_search(run.err, made, std::regex("^qorv: ([0-9]+) names from")))
      << run.err;
  EXPECT_LT(std::stoi(made[1]), 10000);
  EXPECT_TRUE(run.err.ends_with(" %\nqorv: standard output: No space left on device\n")) << run.err;
  // Any command: a summary that does not reach standard output is no success either.
  run = RunOnDescriptor(full, {"inspect", chapter});
  EXPECT_EQ(run.exit_code, kExitOutputNotWritten);
  EXPECT_EQ(run.err, "qorv: standard output: No space left on device\n");
  ::close(full);
}

TEST(QorvOutput, AClosedPipeWhereSigpipeIsIgnoredEndsTheRunWithItsReason) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  ::close(ends[0]);
  // Where SIGPIPE does not end the process first, the write fails with EPIPE.
  const auto previous = std::signal(SIGPIPE, SIG_IGN);
  const testing::Run run =
      RunOnDescriptor(ends[1], {"generate", SampleChapter("coastal_villages.qrv"), "-n", "100000"});
  std::signal(SIGPIPE, previous);
  ::close(ends[1]);
  EXPECT_EQ(run.exit_code, kExitOutputNotWritten);
  EXPECT_EQ(run.err, "qorv: standard output: Broken pipe\n");
}

}  // namespace
}  // namespace qorv
