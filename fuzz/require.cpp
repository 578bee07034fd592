#include "fuzz/require.h"

#include <cstdio>
#include <cstdlib>

namespace qorv::fuzz {

void Fail(const char* what) {
  std::fprintf(stderr, "Fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace qorv::fuzz
