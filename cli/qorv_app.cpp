#include "cli/qorv_app.h"

#include <iostream>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/chapter_command.h"
#include "cli/generate_command.h"
#include "cli/inspect_command.h"
#include "cli/standard_output.h"
#include "cli/usage_error.h"
#include "qorv/version.h"

namespace qorv {

int RunQorv(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  return RunQorv(argc, argv, std::cin, out, err);
}

int RunQorv(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err) {
  CLI::App app("qorv: invents names from the seed names of a Chapter", "qorv");
  app.require_subcommand(1);
  app.add_flag_callback(
      "--version",
      [&out] {
        out << "qorv " << kProgramVersion << " (" << kProgramName << ")\n";
        throw CLI::Success();
      },
      "print the program's name and version");

  InspectOptions inspect;
  const CLI::App* inspect_command = AddInspectCommand(app, inspect);
  GenerateOptions generate;
  const CLI::App* generate_command = AddGenerateCommand(app, generate);
  ChapterOptions chapter;
  const CLI::App* chapter_command = AddChapterCommand(app, chapter);

  if (const std::optional<UsageMistake> mistake = MistakeBeforeCommand(app, argc, argv)) {
    WriteUsageError(err, mistake->Cause, mistake->Command);
    return kExitUsage;
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return OutputFailed(out, err) ? kExitOutputNotWritten : kExitSuccess;
  } catch (const CLI::Success&) {
    return OutputFailed(out, err) ? kExitOutputNotWritten : kExitSuccess;
  } catch (const CLI::ParseError& error) {
    WriteUsageError(err, UsageCause(error, app), ParsedCommand(app));
    return kExitUsage;
  }

  int status = kExitUsage;
  if (inspect_command->parsed()) {
    status = RunInspect(inspect, out, err);
  } else if (generate_command->parsed()) {
    status = RunGenerate(generate, out, err);
  } else if (chapter_command->parsed()) {
    status = RunChapter(chapter, in, out, err);
  }
  // Whatever the command did, output that did not reach standard output fails the run.
  return OutputFailed(out, err) ? kExitOutputNotWritten : status;
}

}  // namespace qorv
