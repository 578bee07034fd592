// The built `qorv` binary as a shell runs it: exit codes and the streams they go with.
#include <sys/wait.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "cli_test_support.h"

namespace qorv {
namespace {

struct ProcessRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs the binary with `arguments` (already quoted for the shell).
ProcessRun RunBinary(const testing::TempFolder& folder, const std::string& arguments) {
  const std::string out = folder.Path("stdout.txt");
  const std::string err = folder.Path("stderr.txt");
  const std::string command =
      std::string("'") + QORV_BINARY + "' " + arguments + " >'" + out + "' 2>'" + err + "'";
  const int status = std::system(command.c_str());
  ProcessRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = Slurp(out);
  run.err = Slurp(err);
  return run;
}

std::string SampleChapter() {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return std::filesystem::absolute(std::filesystem::path(source ? source : ".") / "chapters" /
                                   "coastal_villages.qrv")
      .string();
}

TEST(QorvProcess, LoadedChapterExitsWithZero) {
  testing::TempFolder folder;
  const ProcessRun text = RunBinary(folder, "inspect '" + SampleChapter() + "'");
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_EQ(text.out.rfind("Coastal Villages\n", 0), 0u) << text.out;
  EXPECT_EQ(text.err, "");
  const ProcessRun json = RunBinary(folder, "inspect --json '" + SampleChapter() + "'");
  EXPECT_EQ(json.exit_code, 0);
  EXPECT_EQ(json.out.rfind("{\"Loaded\":1,\"Message\":\"\",\"Title\":\"Coastal Villages\",", 0),
            0u);
}

TEST(QorvProcess, ChapterThatDoesNotLoadExitsWithOne) {
  testing::TempFolder folder;
  const ProcessRun run = RunBinary(folder, "inspect no_such_chapter.qrv --json");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "qorv: no_such_chapter.qrv: Couldn't open file\n"
            "qorv: no_such_chapter.qrv: No such file or directory\n");
  EXPECT_EQ(run.out, "{\"Loaded\":0,\"Message\":\"Couldn't open file\"}\n");
}

// Runs a shell command line; `$Q` is the binary, `$C` a sample Chapter.
int RunShell(const std::string& script) {
  const std::string command =
      "Q='" + std::string(QORV_BINARY) + "' C='" + SampleChapter() + "' sh -c '" + script + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(QorvProcess, SigtermEndsARunWithItsLogWrittenAndTheSignalsStatus) {
  testing::TempFolder folder;
  const std::string log = folder.Path("log.txt");
  EXPECT_EQ(RunShell("\"$Q\" generate \"$C\" -n 4000000000 --seed 1 --log \"" + log +
                     "\" >/dev/null & p=$!; sleep 0.3; kill -TERM $p; wait $p"),
            128 + SIGTERM);
  // The latest request's attempts, from its class line on.
  const std::string written = Slurp(log);
  ASSERT_FALSE(written.empty());
  EXPECT_TRUE(written[0] >= '0' && written[0] <= '9') << written;
}

TEST(QorvProcess, TheChapterCanComeFromStandardInputOrAPipe) {
  testing::TempFolder folder;
  const std::string names = folder.Path("names.txt");
  const std::string by_path =
      RunBinary(folder, "generate '" + SampleChapter() + "' -n 5 --seed 1").out;
  ASSERT_EQ(by_path.size() > 10, true) << by_path;
  for (const char* reading :
       {"cat \"$C\" | \"$Q\" generate -", "cat \"$C\" | \"$Q\" generate /dev/stdin",
        "\"$Q\" generate - <\"$C\""}) {
    std::filesystem::remove(names);
    EXPECT_EQ(RunShell(std::string(reading) + " -n 5 --seed 1 >\"" + names + "\""), 0) << reading;
    EXPECT_EQ(Slurp(names), by_path) << reading;
  }
}

TEST(QorvProcess, StandardOutputThatCannotBeWrittenExitsWithFourAndAClosedPipeQuietly) {
  testing::TempFolder folder;
  const std::string err = folder.Path("err.txt");
  const std::string status = folder.Path("status.txt");
  EXPECT_EQ(RunShell("\"$Q\" generate \"$C\" -n 10 >/dev/full 2>\"" + err + "\""), 4);
  EXPECT_EQ(Slurp(err), "qorv: standard output: No space left on device\n");
  // The reader stops after one line: qorv ends by SIGPIPE (128 + 13 in the shell), saying nothing.
  const std::string first = folder.Path("first.txt");
  EXPECT_EQ(RunShell("(\"$Q\" generate \"$C\" -n 100000 2>\"" + err + "\"; echo $? >\"" + status +
                     "\") | head -1 >\"" + first + "\""),
            0);
  EXPECT_EQ(Slurp(status), "141\n");
  EXPECT_EQ(Slurp(err), "");
  const std::string line = Slurp(first);
  EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
}

TEST(QorvProcess, UsageErrorsExitWithTwo) {
  testing::TempFolder folder;
  for (const char* arguments : {"", "inspect", "inspect --frob x.qrv", "unknown x.qrv"}) {
    const ProcessRun run = RunBinary(folder, arguments);
    EXPECT_EQ(run.exit_code, 2) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_NE(run.err.find(" --help' for the options.\n"), std::string::npos) << arguments;
  }
}

TEST(QorvProcess, ChapterNewReadsStandardInputAndExitsWithFourWhenItCannotWrite) {
  testing::TempFolder folder;
  const std::string list = folder.Write("list.txt", "Arnhelm\nBrisa\n");
  const std::string out = folder.Path("out.qrv");
  const ProcessRun piped = RunBinary(folder, "chapter new - -o '" + out + "' <'" + list + "'");
  EXPECT_EQ(piped.exit_code, 0) << piped.err;
  EXPECT_EQ(piped.out, out + ": 2 names kept, 0 skipped, 0 merged, 0 left out\n");
  EXPECT_EQ(RunBinary(folder, "inspect '" + out + "'").exit_code, 0);

  const std::string nowhere = folder.Path("none/out.qrv");
  const ProcessRun refused = RunBinary(folder, "chapter new '" + list + "' -o '" + nowhere + "'");
  EXPECT_EQ(refused.exit_code, 4);
  EXPECT_EQ(refused.err, "qorv: " + nowhere + ": No such file or directory\n");
}

}  // namespace
}  // namespace qorv
