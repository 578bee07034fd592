// The one way a fuzz target's check fails: print what was wrong and abort, so that libFuzzer (or
// the corpus replay under CTest) reports the input as a crash.
#pragma once

namespace qorv::fuzz {

// Prints `what` and aborts.
[[noreturn]] void Fail(const char* what);

// Prints `what` and aborts when `condition` is false. Inline, so that a check made per table cell
// costs a comparison rather than a call.
inline void Require(bool condition, const char* what) {
  if (!condition) [[unlikely]] {
    Fail(what);
  }
}

}  // namespace qorv::fuzz
