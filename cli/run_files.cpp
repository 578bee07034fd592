#include "cli/run_files.h"

#include <ostream>

#include "cli/exit_codes.h"
#include "io/regular_file.h"
#include "io/same_file.h"

namespace qorv {
namespace {

bool IsFile(const RunFile& file) {
  return !file.Path.empty() && file.Path != kStandardStreamArgument;
}

}  // namespace

std::string SameFileProblem(const std::vector<RunFile>& files) {
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!IsFile(files[i])) continue;
    for (std::size_t j = i + 1; j < files.size(); ++j) {
      if (!IsFile(files[j]) || !SameFile(files[i].Path, files[j].Path)) continue;
      return files[i].Role + " " + files[i].Path + " and " + files[j].Role + " " + files[j].Path +
             " are the same file";
    }
  }
  return {};
}

int CheckRunFiles(const std::vector<RunFile>& files, std::ostream& err) {
  if (const std::string problem = SameFileProblem(files); !problem.empty()) {
    err << "qorv: " << problem << "\n";
    return kExitUsage;
  }
  for (const RunFile& file : files) {
    if (!IsFile(file) || !file.Output || MayWriteAsRegularFile(file.Path)) continue;
    err << "qorv: " << file.Path << ": " << FileErrorText(kNotRegularFile) << "\n";
    return kExitOutputNotWritten;
  }
  return 0;
}

}  // namespace qorv
