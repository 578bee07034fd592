// `qorv generate` beyond the names themselves: the filters, the output forms and files, any
// count, and the refusals that can be known before a name is made.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/chapter_input.h"
#include "cli/generate_command.h"
#include "cli_test_support.h"
#include "generator/name_filters.h"
#include "generator/possible_lengths.h"
#include "session/lexicon_session.h"
#include "text/encoding.h"

namespace qorv {
namespace {

using testing::MakeChapter;
using testing::RunCommandLine;
using testing::TempFolder;

std::string Towns() {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return (std::filesystem::path(source ? source : ".") / "chapters" / "towns_of_the_realm.qrv")
      .string();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The printed names in Windows-1252, folded for the case-insensitive tests.
std::string Folded(const std::string& utf8) {
  return FoldCase(*Utf8ToCp1252(utf8));
}

testing::Run Generate(std::vector<std::string> args) {
  args.insert(args.begin(), {"generate", Towns(), "--seed", "5", "-g", "1", "-v", "1"});
  return RunCommandLine(args);
}

TEST(QorvGenerateFilters, EveryPrintedNamePassesItsFilters) {
  struct Case {
    std::vector<std::string> args;
    bool (*passes)(const std::string& folded);
  };
  const Case cases[] = {
      {{"--min-length", "9"}, [](const std::string& n) { return CountedLetters(n) >= 9; }},
      {{"--max-length", "5"}, [](const std::string& n) { return CountedLetters(n) <= 5; }},
      {{"--starts-with", "Br"}, [](const std::string& n) { return n.starts_with("br"); }},
      {{"--ends-with", "TON"}, [](const std::string& n) { return n.ends_with("ton"); }},
      {{"--contains", "ea"}, [](const std::string& n) { return n.find("ea") != n.npos; }},
      {{"--exclude", "a", "--exclude", "E"},
       [](const std::string& n) { return n.find_first_of("ae") == n.npos; }},
      {{"--min-length", "6", "--max-length", "9", "--contains", "o", "--exclude", "th"},
       [](const std::string& n) {
         return CountedLetters(n) >= 6 && CountedLetters(n) <= 9 && n.find('o') != n.npos &&
                n.find("th") == n.npos;
       }},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"-n", "40", "--stats"});
    const testing::Run run = Generate(args);
    ASSERT_EQ(run.exit_code, 0) << c.args[0] << ": " << run.err;
    const std::vector<std::string> names = Lines(run.out);
    EXPECT_EQ(names.size(), 40u) << c.args[0];
    for (const std::string& name : names) EXPECT_TRUE(c.passes(Folded(name))) << name;
    EXPECT_NE(run.err.find("refused by " + c.args[0]), std::string::npos) << run.err;
  }
}

TEST(QorvGenerateFilters, OneLetterStartsWithIsTheInitialLetter) {
  EXPECT_EQ(Generate({"--starts-with", "b", "-n", "30"}).out,
            Generate({"-i", "B", "-n", "30"}).out);
}

TEST(QorvGenerateFilters, UniqueNeverRepeatsAName) {
  const testing::Run run =
      RunCommandLine({"generate", Towns(), "--seed", "11", "-g", "0", "--unique", "-n", "50000"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<std::string> names = Lines(run.out);
  EXPECT_EQ(names.size(), 50000u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
}

TEST(QorvGenerateFilters, NovelLeavesOutTheSeedNames) {
  TempFolder folder;
  // Three of the four names these seeds allow are seed names.
  const std::string chapter =
      folder.Write("seeds.qrv", MakeChapter("", "", "", "\"Pa\", \"Ta\", \"Pi\""));
  const testing::Run plain = RunCommandLine({"generate", chapter, "-n", "3", "--seed", "1"});
  const std::vector<std::string> names = Lines(plain.out);
  EXPECT_TRUE(std::set<std::string>(names.begin(), names.end()).contains("Pa") ||
              std::set<std::string>(names.begin(), names.end()).contains("Ta"));
  const testing::Run novel =
      RunCommandLine({"generate", chapter, "-n", "1", "--seed", "1", "--novel", "--stats"});
  ASSERT_EQ(novel.exit_code, 0) << novel.err;
  EXPECT_EQ(novel.out, "Ti\n");
  EXPECT_NE(novel.err.find("refused by --novel"), std::string::npos) << novel.err;
}

TEST(QorvGenerateFilters, ImpossibleFiltersAreRefusedOrEndTheRun) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string message;
  };
  const std::string towns = "qorv: " + Towns() + ": ";
  const Case cases[] = {
      {{"--starts-with", "x"},
       kExitUsage,
       towns + "no name can begin with X; initial letters: ABCDEFGHIJKLMNOPQRSTUVWYZ\n"},
      // Every seed name has three elements or more, and no two of them finish as one letter.
      {{"--max-length", "2"}, kExitUsage, towns + "no name has fewer than 3 letters\n"},
      {{"--min-length", "38"}, kExitUsage, towns + "no name has more than 37 letters\n"},
      {{"-i", "x", "--max-length", "0"},
       kExitUsage,
       towns + "no name can begin with X; initial letters: ABCDEFGHIJKLMNOPQRSTUVWYZ\n" + towns +
           "no name has fewer than 3 letters\n"},
      {{"--contains", "e", "--exclude", "E"},
       kExitUsage,
       "qorv: every name that holds --contains e holds --exclude E\n"},
      {{"--starts-with", "Bra", "--exclude", "ra", "--ends-with", "by", "--exclude", "y"},
       kExitUsage,
       "qorv: every name that begins with --starts-with Bra holds --exclude ra\n"
       "qorv: every name that ends with --ends-with by holds --exclude y\n"},
      {{"-i", "k", "--exclude", "k"},
       kExitUsage,
       "qorv: every name that begins with --initial K holds --exclude k\n"},
      {{"--contains", "qqq"},
       kExitNoNewName,
       "qorv: no new name found after 20000 attempts with --contains qqq\n"},
      // Sets that some name can pass still run.
      {{"--max-length", "3", "-n", "1"}, kExitSuccess, ""},
      {{"--min-length", "10", "-n", "1"}, kExitSuccess, ""},
      {{"--contains", "a", "--exclude", "ab", "-n", "1"}, kExitSuccess, ""},
      {{"--starts-with", "Ba", "--exclude", "ab", "--ends-with", "n", "--exclude", "en", "-n", "1"},
       kExitSuccess,
       ""},
  };
  for (const Case& c : cases) {
    const testing::Run run = Generate(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(run.err, c.message);
    EXPECT_EQ(run.out.empty(), c.exit_code != kExitSuccess) << c.args[0] << " " << c.args[1];
  }
  // The combinations the command line itself rules out.
  EXPECT_EQ(Generate({"--min-length", "8", "--max-length", "7"}).err,
            "qorv: --min-length: is above --max-length\n"
            "Run 'qorv generate --help' for the options.\n");
}

// The bounds hold every name the samples give, so no length they can make is refused.
TEST(QorvGenerateFilters, PossibleLengthsHoldEveryNameOfTheSamples) {
  const auto bounds_of = [](const std::string& chapter) {
    LexiconSession session;
    const ChapterInput input = ReadChapterInput(chapter);
    session.SetChapter(session.LoadChapterRead(input.File, input.ExpectedNameCount));
    EXPECT_TRUE(session.HasLoadedChapter()) << chapter;
    return PossibleLengths(*session.Chapter(), session.Statistics());
  };
  // Under Y:SEMI the consonant y and the vowel Y join to one accented Y.
  TempFolder folder;
  const std::string semi =
      folder.Write("semi.qrv", MakeChapter("", "", "Y:SEMI PUNCT:1", "\"Yy\", \"Bodo\""));
  EXPECT_EQ(bounds_of(semi).Shortest, 1u);
  EXPECT_EQ(RunCommandLine({"generate", semi, "--max-length", "1", "-n", "1"}).out,
            "\xC3\x9D\n");  // Ý

  const std::filesystem::path samples = std::filesystem::path(Towns()).parent_path();
  for (const auto& entry : std::filesystem::directory_iterator(samples)) {
    if (entry.path().extension() != ".qrv") continue;
    const std::string chapter = entry.path().string();
    const LengthBounds bounds = bounds_of(chapter);
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--auto"}, {"-g", "0"}, {"--structural", "--suffixes"}}) {
      std::vector<std::string> args{"generate", chapter, "-n",         "1000",
                                    "--seed",   "7",     "--encoding", "cp1252"};
      args.insert(args.end(), options.begin(), options.end());
      const testing::Run run = RunCommandLine(args);
      ASSERT_EQ(run.exit_code, 0) << chapter << run.err;
      for (const std::string& name : Lines(run.out)) {
        EXPECT_GE(CountedLetters(name), bounds.Shortest) << chapter << ": " << name;
        EXPECT_LE(CountedLetters(name), bounds.Longest) << chapter << ": " << name;
      }
    }
  }
}

// Counts the lines written, keeping none of them.
class LineCounter : public std::streambuf {
 public:
  long long lines = 0;
  long long empty = 0;

 protected:
  int_type overflow(int_type c) override {
    if (c == '\n') {
      ++lines;
      if (last_ == '\n') ++empty;
    }
    last_ = static_cast<char>(c);
    return c;
  }

 private:
  char last_ = '\n';
};

TEST(QorvGenerateOutput, CountsAboveTheOldLimitAreStreamed) {
  GenerateOptions options;
  options.chapter_path = Towns();
  options.count = 150000;
  options.seed = 3;
  LineCounter counter;
  std::ostream out(&counter);
  std::ostringstream err;
  ASSERT_EQ(RunGenerate(options, out, err), kExitSuccess) << err.str();
  EXPECT_EQ(counter.lines, 150000);
  EXPECT_EQ(counter.empty, 0);
}

TEST(QorvGenerateOutput, JsonLinesCarryTheNameAndHowItWasMade) {
  const testing::Run run = Generate({"--structural", "--format", "json", "-n", "20"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const testing::Run text = Generate({"--structural", "-n", "20"});
  const std::vector<std::string> names = Lines(text.out);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), names.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const nlohmann::json object = nlohmann::json::parse(lines[i]);
    EXPECT_EQ(object["name"], names[i]);
    EXPECT_GE(object["attempts"].get<int>(), 1);
    const int structure_class = object["structure_class"].get<int>();
    // A name of the class has class / 2 + 2 elements; its pattern, when it kept to one, as many.
    if (object.contains("length_pattern")) {
      EXPECT_EQ(object["length_pattern"].get<std::string>().size(),
                static_cast<std::size_t>(structure_class / 2 + 2));
    }
  }
  EXPECT_EQ(Generate({"--format", "json", "--encoding", "cp1252"}).exit_code, kExitUsage);
}

TEST(QorvGenerateOutput, CsvHasAHeaderRowAndAFileOfItsOwn) {
  TempFolder folder;
  const std::string file = folder.Path("names.csv");
  const testing::Run run = Generate({"--format", "csv", "-o", file, "-n", "25"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "");
  // A real CSV reader: Python's.
  const std::string check = folder.Path("check.txt");
  const std::string command =
      "python3 -c \"import csv,sys; rows=list(csv.DictReader(open(sys.argv[1], newline=''))); "
      "print(len(rows), all(r['name'] and int(r['attempts']) >= 1 and r['structure_class'] "
      "for r in rows))\" '" +
      file + "' > '" + check + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream result(check);
  std::string line;
  std::getline(result, line);
  EXPECT_EQ(line, "25 True");
}

TEST(QorvGenerateOutput, AnOutputFileThatCannotBeWrittenExitsWithFour) {
  TempFolder folder;
  const testing::Run run = Generate({"-o", folder.Path(""), "-n", "3"});
  EXPECT_EQ(run.exit_code, kExitOutputNotWritten);
  EXPECT_NE(run.err.find(": not a regular file"), std::string::npos) << run.err;
}

TEST(QorvGenerateOutput, VersionNamesTheProgram) {
  const testing::Run run = RunCommandLine({"--version"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out.rfind("qorv 2.", 0), 0u) << run.out;
}

}  // namespace
}  // namespace qorv
