// The core's one way to report a failure from its public functions: the library's Result, a value
// or an Error with its message (Windows-1252 inside the core, UTF-8 at the library's edge).
#pragma once

#include "quorvane/result.h"

namespace qorv {

using quorvane::Error;
using quorvane::Result;

}  // namespace qorv
