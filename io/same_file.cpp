#include "io/same_file.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <optional>

#include "io/regular_file.h"

namespace qorv {
namespace {

// Where a file that does not exist would be created: its resolved folder and its name.
std::string CreatedAt(const std::string& path) {
  const std::string landing = FollowLinks(path);
  const std::size_t slash = landing.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : landing.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? landing : landing.substr(slash + 1);
  char resolved[PATH_MAX];
  if (::realpath(folder.c_str(), resolved) == nullptr) return landing;
  return std::string(resolved) + "/" + name;
}

struct FileId {
  dev_t Device;
  ino_t Inode;
};

std::optional<FileId> IdOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileId{info.st_dev, info.st_ino};
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  const std::optional<FileId> id_a = IdOf(a);
  const std::optional<FileId> id_b = IdOf(b);
  if (id_a && id_b) return id_a->Device == id_b->Device && id_a->Inode == id_b->Inode;
  // One there and one not are different files; two yet to be made are the same if they would be
  // made at the same place.
  if (id_a || id_b) return false;
  return CreatedAt(a) == CreatedAt(b);
}

}  // namespace qorv
