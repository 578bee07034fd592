// The one line a mistaken command line prints, in our words, and where its command's options
// are told.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/exit_codes.h"
#include "cli_test_support.h"

namespace qorv {
namespace {

using testing::RunCommandLine;

TEST(QorvUsage, EachMistakeIsOneLineAndTheHelpOfItsCommand) {
  const struct {
    std::vector<std::string> args;
    const char* cause;
    const char* command;
  } cases[] = {
      {{}, "a command is missing: inspect, generate or chapter", "qorv"},
      {{"frobnicate"}, "unknown command: frobnicate", "qorv"},
      {{"--frob", "inspect"}, "unknown option: --frob", "qorv"},
      {{"chapter", "renew"}, "unknown command: renew", "qorv chapter"},
      {{"inspect"}, "CHAPTER is missing", "qorv inspect"},
      {{"inspect", "a.qrv", "b.qrv"}, "one argument too many: b.qrv", "qorv inspect"},
      {{"generate"}, "CHAPTER is missing", "qorv generate"},
      // An option that may be given again takes one value each time, not the CHAPTER after it.
      {{"generate", "--exclude", "ar", "a.qrv", "b.qrv"},
       "one argument too many: b.qrv",
       "qorv generate"},
      {{"generate", "--template", "{a|b}", "a.qrv", "b.qrv"},
       "one argument too many: b.qrv",
       "qorv generate"},
      {{"generate", "a.qrv", "-n", "3", "-n", "4"},
       "--count: given more than once",
       "qorv generate"},
      {{"generate", "a.qrv", "--count"}, "--count: needs a value (N)", "qorv generate"},
      {{"generate", "a.qrv", "-n", "abc"}, "--count: not a number: abc", "qorv generate"},
      {{"generate", "a.qrv", "--frob", "--blah"},
       "unknown options: --frob --blah",
       "qorv generate"},
      {{"generate", "a.qrv", "--trailing-line"},
       "--trailing-line: goes with --store",
       "qorv generate"},
      {{"chapter"}, "a command is missing: new, convert, blend or check", "qorv chapter"},
      {{"chapter", "new", "list.txt"}, "--output is missing", "qorv chapter new"},
      {{"chapter", "convert", "in.qrv", "-o"},
       "--output: needs a value (TEXT)",
       "qorv chapter convert"},
  };
  for (const auto& c : cases) {
    const testing::Run run = RunCommandLine(c.args);
    const std::string shown = c.args.empty() ? "(none)" : c.args.back();
    EXPECT_EQ(run.exit_code, kExitUsage) << shown;
    EXPECT_EQ(run.out, "") << shown;
    EXPECT_EQ(run.err, "qorv: " + std::string(c.cause) + "\nRun '" + c.command +
                           " --help' for the options.\n")
        << shown;
  }
}

}  // namespace
}  // namespace qorv
