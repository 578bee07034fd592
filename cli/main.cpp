// qorv: the command-line tool over the Chapter core.
#include <unistd.h>

#include <iostream>

#include "cli/qorv_app.h"
#include "cli/standard_output.h"

int main(int argc, char** argv) {
  // Standard output through the system's writes, so that a failed write is known with its reason.
  qorv::DescriptorOutputBuffer out_buffer(STDOUT_FILENO);
  std::ostream out(&out_buffer);
  return qorv::RunQorv(argc, argv, out, std::cerr);
}
