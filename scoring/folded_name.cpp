#include "scoring/folded_name.h"

#include "chapter/letters.h"

namespace qorv {
namespace {

// The accented letters of Windows-1252 and, at the same place, their base letters.
constexpr std::string_view kAccented =
    "\x8A\x8E\x9A\x9E\x9F\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD1\xD2\xD3"
    "\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE"
    "\xEF\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFF";
constexpr std::string_view kBase = "SZSZYAAAAAACEEEEIIIINOOOOOOUUUUYAAAAAACEEEEIIIINOOOOOOUUUUYY";
static_assert(kAccented.size() == kBase.size());

}  // namespace

std::string FoldedName(std::string_view cp1252) {
  std::string folded;
  for (const char c : cp1252) {
    const std::size_t accent = kAccented.find(c);
    folded += accent == std::string_view::npos ? AsciiUpper(c) : kBase[accent];
  }
  return folded;
}

}  // namespace qorv
