#include "wordlist/output_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "io/file_bytes.h"
#include "io/output_file.h"

namespace qorv {

bool PathExists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

OutputResult WriteWholeFile(const std::string& path, std::string_view bytes, bool replace) {
  OutputResult result;
  if (!replace && PathExists(path)) {
    result.Exists = true;
    return result;
  }
  OutputFile file(path);
  int error = file.Error();
  if (error == 0) error = WriteAll(file.Descriptor(), bytes);
  if (error == 0) error = replace ? file.Commit() : file.CommitNew();
  // Without `replace`, a file that appeared while the bytes were written stays as it is.
  if (!replace && error == EEXIST) {
    result.Exists = true;
    error = 0;
  }
  result.Error = error;
  return result;
}

}  // namespace qorv
