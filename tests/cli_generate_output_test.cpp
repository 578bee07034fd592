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

#include "cli/generate_command.h"
#include "cli/name_filters.h"
#include "cli_test_support.h"
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
  const Case cases[] = {
      {{"--starts-with", "x"}, kExitUsage, "no name can begin with X; initial letters: ABCD"},
      {{"--max-length", "1"}, kExitUsage, "no name has fewer than 2 letters"},
      {{"--min-length", "900"}, kExitUsage, "no name has more than"},
      {{"--min-length", "8", "--max-length", "7"}, kExitUsage, "is above --max-length"},
      {{"--starts-with", "ab", "-i", "c"}, kExitUsage, "begins with another letter"},
      {{"--contains", "qqq"},
       kExitNoNewName,
       "no new name found after 20000 attempts with --contains qqq"},
  };
  for (const Case& c : cases) {
    const testing::Run run = Generate(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.args[0];
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "") << c.args[0];
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
