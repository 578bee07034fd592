// Standard output for qorv: written with the system's own writes, so that a failed write is
// known with its reason (a full disk, a closed pipe) instead of being lost in a stream flag.
#pragma once

#include <array>
#include <ostream>
#include <streambuf>

namespace qorv {

// A buffered stream buffer over a file descriptor that keeps the errno of the first write that
// failed; after it, everything written is dropped. The descriptor is not closed.
class DescriptorOutputBuffer : public std::streambuf {
 public:
  explicit DescriptorOutputBuffer(int fd);
  ~DescriptorOutputBuffer() override;
  DescriptorOutputBuffer(const DescriptorOutputBuffer&) = delete;
  DescriptorOutputBuffer& operator=(const DescriptorOutputBuffer&) = delete;

  // 0, or the errno of the write that failed.
  int Error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool Drain();

  int fd_;
  int error_ = 0;
  std::array<char, 16 * 1024> buffer_{};
};

// Flushes `out`; when it could not be written, tells `err` why ("qorv: standard output:
// REASON") and returns true. A closed pipe is told as "Broken pipe": it is only seen where
// SIGPIPE is ignored; with SIGPIPE as usual the signal ends the program quietly first, as with
// `qorv ... | head`.
bool OutputFailed(std::ostream& out, std::ostream& err);

}  // namespace qorv
