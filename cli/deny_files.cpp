#include "cli/deny_files.h"

#include <unistd.h>

#include <array>
#include <filesystem>
#include <system_error>

#include "io/file_bytes.h"
#include "io/regular_file.h"

namespace qorv {
namespace {

// A deny list is a short text; anything larger is not one.
constexpr std::size_t kMaxDenyFileBytes = 1 << 20;

std::filesystem::path ProgramFolder() {
  std::array<char, 4096> path{};
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return {};
  return std::filesystem::path(std::string(path.data(), static_cast<std::size_t>(length)))
      .parent_path();
}

}  // namespace

std::string DefaultDenyFile() {
  const std::filesystem::path installed =
      ProgramFolder() / QORV_CHAPTERS_FROM_BINDIR / kDenyFileName;
  std::error_code error;
  if (std::filesystem::is_regular_file(installed, error))
    return installed.lexically_normal().string();
  return (std::filesystem::path(QORV_SOURCE_CHAPTERS) / kDenyFileName).string();
}

std::string DenyFilePath(const std::string& argument) {
  return argument == kDefaultDenyArgument ? DefaultDenyFile() : argument;
}

Result<DenyList> ReadDenyFiles(const std::vector<std::string>& arguments) {
  DenyList list;
  for (const std::string& argument : arguments) {
    const std::string path = DenyFilePath(argument);
    const FileBytes file = ReadFileBytes(path, kMaxDenyFileBytes + 1);
    if (file.Error != 0) return Error{path + ": " + FileErrorText(file.Error)};
    if (file.Bytes.size() > kMaxDenyFileBytes) return Error{path + ": larger than 1 MiB"};
    if (Result<void> added = list.AddWords(file.Bytes); !added) {
      return Error{path + ": " + added.error().message};
    }
  }
  return list;
}

}  // namespace qorv
