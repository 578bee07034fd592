#include "chapter/chapter_file.h"

#include "chapter/limits.h"

namespace qorv {

FileBytes ReadChapterFile(const std::string& path) {
  return ReadFileBytes(path, kMaxFileBytes + 1);
}

FileBytes ReadChapterDescriptor(int fd) {
  return ReadDescriptorBytes(fd, kMaxFileBytes + 1);
}

}  // namespace qorv
