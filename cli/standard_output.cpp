#include "cli/standard_output.h"

#include <cerrno>
#include <cstring>

#include "io/file_bytes.h"

namespace qorv {

DescriptorOutputBuffer::DescriptorOutputBuffer(int fd) : fd_(fd) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutputBuffer::~DescriptorOutputBuffer() {
  Drain();
}

DescriptorOutputBuffer::int_type DescriptorOutputBuffer::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int DescriptorOutputBuffer::sync() {
  return Drain() ? 0 : -1;
}

bool DescriptorOutputBuffer::Drain() {
  const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  if (error_ == 0 && !pending.empty()) error_ = WriteAll(fd_, pending);
  return error_ == 0;
}

bool OutputFailed(std::ostream& out, std::ostream& err) {
  out.flush();
  if (out) return false;
  const auto* buffer = dynamic_cast<const DescriptorOutputBuffer*>(out.rdbuf());
  // Another stream (a test's string stream) fails without a reason of the system's.
  const int error = buffer != nullptr && buffer->Error() != 0 ? buffer->Error() : EIO;
  err << "qorv: standard output: " << std::strerror(error) << "\n";
  return true;
}

}  // namespace qorv
