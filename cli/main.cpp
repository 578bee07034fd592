// qorv: the command-line tool over the Chapter core.
#include <unistd.h>

#include <exception>
#include <iostream>
#include <new>

#include "cli/exit_codes.h"
#include "cli/qorv_app.h"
#include "cli/standard_output.h"
#include "io/temporary_files.h"

int main(int argc, char** argv) {
  // An interrupted run removes the temporary file of its -o before it ends.
  qorv::RemoveTemporaryFilesOnSignal();
  // Standard output through the system's writes, so that a failed write is known with its reason.
  qorv::DescriptorOutputBuffer out_buffer(STDOUT_FILENO);
  std::ostream out(&out_buffer);
  // Nothing may abort the program: whatever is thrown ends it with a message, after the
  // unwinding has removed any temporary file.
  try {
    return qorv::RunQorv(argc, argv, out, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "qorv: out of memory\n";
  } catch (const std::exception& error) {
    std::cerr << "qorv: unexpected failure: " << error.what() << "\n";
  } catch (...) {
    std::cerr << "qorv: unexpected failure\n";
  }
  return qorv::kExitFailure;
}
