// The one way a fuzz target's check fails: print what was wrong and abort, so that libFuzzer (or
// the corpus replay under CTest) reports the input as a crash.
#pragma once

namespace qorv::fuzz {

// Prints `what` and aborts when `condition` is false.
void Require(bool condition, const char* what);

}  // namespace qorv::fuzz
