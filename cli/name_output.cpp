#include "cli/name_output.h"

#include <cerrno>

#include "cli/run_files.h"

namespace qorv {

NameOutput::NameOutput(std::ostream& out, const std::string& path) : path_(path), stream_(&out) {
  if (path.empty() || path == kStandardStreamArgument) return;
  file_.emplace(path);
  error_ = file_->Error();
  // Until the file opens, names written are lost in a stream that has failed already.
  buffer_ = std::make_unique<DescriptorOutputBuffer>(file_->Descriptor());
  file_stream_ = std::make_unique<std::ostream>(buffer_.get());
  if (error_ != 0) file_stream_->setstate(std::ios::badbit);
  stream_ = file_stream_.get();
}

int NameOutput::Error() {
  if (error_ == 0 && stream_->fail()) {
    error_ = buffer_ && buffer_->Error() != 0 ? buffer_->Error() : EIO;
  }
  return error_;
}

int NameOutput::Finish(bool keep) {
  stream_->flush();
  if (!file_) return Error();
  if (Error() == 0 && keep) error_ = file_->Commit();
  file_.reset();  // removes the temporary file unless it took the name
  return error_;
}

}  // namespace qorv
