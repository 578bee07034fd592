// qorv: the command-line tool over the Chapter core.
#include <iostream>

#include "cli/qorv_app.h"

int main(int argc, char** argv) {
  return qorv::RunQorv(argc, argv, std::cout, std::cerr);
}
