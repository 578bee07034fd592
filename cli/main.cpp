// qorv: the command-line tool over the Chapter core.
#include <iostream>

#include "cli/qorv_app.h"

int main(int argc, char** argv) {
  // The streams keep their own buffers: a run of a million names is not a million writes.
  std::ios::sync_with_stdio(false);
  return qorv::RunQorv(argc, argv, std::cout, std::cerr);
}
