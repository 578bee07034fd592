#include "fuzz/require.h"

#include <cstdio>
#include <cstdlib>

namespace qorv::fuzz {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "Fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace qorv::fuzz
