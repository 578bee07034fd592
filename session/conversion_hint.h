// Whether a file that failed to load looks like hand-written text that `qorv chapter convert`
// would turn into a Chapter, and the one-line hint that says so (the desktop's status line and
// `qorv`'s load failures show the same text).
#pragma once

#include <string>
#include <string_view>

namespace qorv {

// True when `content` is well-formed UTF-8 holding at least one non-ASCII character (a byte
// order mark counts), or has a line feed without a carriage return before it. A Chapter is
// Windows-1252 with CR LF line ends, where neither happens but by mistake.
bool LooksLikeUnconvertedText(std::string_view content);

// "FILE looks like UTF-8 text (or has LF line ends): `qorv chapter convert FILE -o NEW.qrv`
// makes it a Chapter": `name` for the first FILE, `argument` (the path as typed) for the second.
// UTF-8, as the terminal and the widgets take it.
std::string ConversionHint(std::string_view name, std::string_view argument);

}  // namespace qorv
