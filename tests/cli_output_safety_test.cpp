// The built `qorv` against outputs that would destroy something and inputs that never end: each
// is refused before anything is written, or read only as far as a Chapter can reach.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "cli_test_support.h"

namespace qorv {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

struct Shell {
  int status = -1;  // the exit status, or 128 + the signal that ended the script
  std::string err;
};

// Runs `script` with sh in `folder`; `$Q` is the binary.
Shell RunIn(const testing::TempFolder& folder, const std::string& script) {
  const std::string err = folder.Path("stderr.txt");
  const std::string command = "cd '" + folder.Path("") + "' && Q='" + QORV_BINARY + "' sh -c '" +
                              script + "' 2>'" + err + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(err)};
}

// town.qrv (a sample Chapter) and, around it, every kind of path an output must not destroy.
void MakeHostilePaths(const testing::TempFolder& folder) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  fs::copy_file(fs::path(source ? source : ".") / "chapters" / "coastal_villages.qrv",
                folder.Path("town.qrv"));
  folder.Write("old.txt", "old\n");
  folder.Write("list.txt", "Arnhelm\nBrisa\nCorwen\n");
  fs::create_hard_link(folder.Path("town.qrv"), folder.Path("hard.qrv"));
  fs::create_symlink("town.qrv", folder.Path("link.qrv"));
  fs::create_symlink("/dev/null", folder.Path("null"));
  fs::create_symlink("old.txt", folder.Path("old_link.txt"));
  fs::create_directory(folder.Path("folder"));
  ASSERT_EQ(RunIn(folder, "mkfifo fifo").status, 0);
}

// Every file of the folder with its content (a link as "-> target"), temporary files included.
std::string FolderState(const testing::TempFolder& folder) {
  std::string state;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder.Path(""))) {
    const std::string name = entry.path().filename().string();
    if (name == "stderr.txt" || name == "stdout.txt") continue;
    state += name + ": ";
    if (entry.is_symlink()) {
      state += "-> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      state += Slurp(entry.path());
    }
    state += "\n";
  }
  return state;
}

TEST(QorvOutputSafety, OutputsThatWouldDestroySomethingAreRefusedBeforeAnythingIsWritten) {
  const std::string kGenerate = "$Q generate town.qrv -n 3 --seed 1 ";
  const struct {
    std::string command;
    int status;
    std::string err;
  } cases[] = {
      {kGenerate + "--log town.qrv", 2,
       "qorv: the Chapter town.qrv and --log town.qrv are the same file\n"},
      {kGenerate + "-o hard.qrv", 2,
       "qorv: the Chapter town.qrv and -o hard.qrv are the same file\n"},
      {kGenerate + "--log link.qrv", 2,
       "qorv: the Chapter town.qrv and --log link.qrv are the same file\n"},
      {"$Q generate - -o town.qrv <town.qrv", 2,
       "qorv: the Chapter /dev/stdin and -o town.qrv are the same file\n"},
      {kGenerate + "--log new.txt -o ./new.txt", 2,
       "qorv: --log new.txt and -o ./new.txt are the same file\n"},
      {kGenerate + "--store -o STORED.txt", 2,
       "qorv: -o STORED.txt and the Store STORED.txt are the same file\n"},
      {kGenerate + "-o null", 4, "qorv: null: not a regular file\n"},
      {kGenerate + "--log fifo", 4, "qorv: fifo: not a regular file\n"},
      {kGenerate + "-o folder", 4, "qorv: folder: not a regular file\n"},
      {"$Q chapter convert town.qrv -o hard.qrv --force", 2,
       "qorv: the Chapter town.qrv and -o hard.qrv are the same file\n"},
      {"$Q chapter new list.txt -o null --force", 4, "qorv: null: not a regular file\n"},
      {"$Q chapter new list.txt -o fifo --force", 4, "qorv: fifo: not a regular file\n"},
  };
  for (const auto& c : cases) {
    testing::TempFolder folder;
    MakeHostilePaths(folder);
    const std::string before = FolderState(folder);
    const Shell run = RunIn(folder, "timeout 10 " + c.command + " >stdout.txt");
    EXPECT_EQ(run.status, c.status) << c.command;
    EXPECT_EQ(run.err, c.err) << c.command;
    EXPECT_EQ(Slurp(folder.Path("stdout.txt")), "") << c.command;
    EXPECT_EQ(FolderState(folder), before) << c.command;
  }
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(QorvOutputSafety, DashIsStandardOutputAndALinkToARegularFileIsFollowed) {
  testing::TempFolder folder;
  MakeHostilePaths(folder);
  const Shell names = RunIn(folder,
                            "$Q generate town.qrv -n 3 --seed 1 >plain.txt && "
                            "$Q generate town.qrv -n 3 --seed 1 -o - >dash.txt && "
                            "$Q generate town.qrv -n 3 --seed 1 -o old_link.txt");
  ASSERT_EQ(names.status, 0) << names.err;
  EXPECT_EQ(Slurp(folder.Path("dash.txt")), Slurp(folder.Path("plain.txt")));
  // The names replaced the file the link leads to; the link stays.
  EXPECT_EQ(Slurp(folder.Path("old.txt")), Slurp(folder.Path("plain.txt")));
  EXPECT_TRUE(fs::is_symlink(folder.Path("old_link.txt")));

  const Shell chapters = RunIn(folder,
                               "$Q chapter convert town.qrv -o - >converted.qrv && "
                               "$Q chapter new - -o - <list.txt >new.qrv && "
                               "$Q inspect new.qrv >/dev/null");
  ASSERT_EQ(chapters.status, 0) << chapters.err;
  EXPECT_EQ(Slurp(folder.Path("converted.qrv")), Slurp(folder.Path("town.qrv")));
  EXPECT_NE(chapters.err.find("standard output: 3 names kept, 0 skipped, 0 merged, 0 left out\n"),
            std::string::npos)
      << chapters.err;
}

TEST(QorvOutputSafety, InputsThatNeverEndAreReadOnlyAsFarAsAChapterCanReach) {
  testing::TempFolder folder;
  folder.Write("just_over.qrv", std::string(32769, ' '));
  const struct {
    const char* command;
    const char* name;
  } cases[] = {
      {"$Q inspect /dev/zero", "/dev/zero"},
      {"$Q generate /dev/urandom", "/dev/urandom"},
      {"$Q inspect - </dev/zero", "standard input"},
      {"mkfifo fifo && (yes >fifo &) && $Q inspect fifo", "fifo"},
      {"$Q inspect just_over.qrv", "just_over.qrv"},
  };
  for (const auto& c : cases) {
    fs::remove(folder.Path("fifo"));
    // An input read without bound would run into the timeout (status 124) or out of memory.
    const Shell run = RunIn(folder, std::string("timeout 10 sh -c \"") + c.command + "\"");
    EXPECT_EQ(run.status, 1) << c.command;
    EXPECT_EQ(run.err.rfind("qorv: " + std::string(c.name) + ": File too large\n", 0), 0u)
        << c.command << "\n"
        << run.err;
  }
}

TEST(QorvOutputSafety, AnInterruptedOutputLeavesTheOldFileAndNoTemporaryFile) {
  testing::TempFolder folder;
  MakeHostilePaths(folder);
  const std::string before = FolderState(folder);
  // Names without end, until SIGTERM; the temporary file must exist before the signal.
  const Shell run = RunIn(folder,
                          "$Q generate town.qrv -n 4294967295 -o old.txt & "
                          "for i in $(seq 500); do ls -a | grep -q \"tmp$\" && break; sleep 0.01; "
                          "done; "
                          "kill -TERM $!; wait $!");
  EXPECT_EQ(run.status, 128 + SIGTERM) << run.err;
  EXPECT_EQ(FolderState(folder), before);
}

}  // namespace
}  // namespace qorv
