// Which failed files get the hint to convert them: UTF-8 text with non-ASCII, or bare line feeds.
#include "session/conversion_hint.h"

#include <gtest/gtest.h>

#include <string>

namespace qorv {
namespace {

TEST(LooksLikeUnconvertedText, UnconvertedTextAndChaptersApart) {
  struct Case {
    std::string Bytes;
    bool Unconverted;
  };
  const Case cases[] = {
      {"TITLE \"Coast\";\r\nNAMES \"Ann\";\r\n", false},         // ASCII, CR LF: a Chapter
      {"TITLE \"\xC9t\xE9\";\r\nNAMES \"\xC9va\";\r\n", false},  // Windows-1252, CR LF
      {"", false},
      {"TITLE \"Coast\";\nNAMES \"Ann\";\n", true},    // LF line ends
      {"TITLE \"Coast\";\r\nNAMES \"Ann\";\n", true},  // one bare LF is enough
      {"\nTITLE", true},                               // LF first
      {"TITLE \"St\xC3\xA4"
       "dte\";\r\nNAMES \"\xC3\x89va\";\r\n",
       true},                                      // UTF-8, CR LF
      {"\xEF\xBB\xBFTITLE \"Coast\";\r\n", true},  // byte order mark
      {"TITLE \"\xC3\xA4\xE4\";\r\n", false},      // UTF-8 then a Windows-1252 byte: not UTF-8
      {"TITLE \"\xED\xA0\x80\";\r\n", false},      // a surrogate is no well-formed UTF-8
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LooksLikeUnconvertedText(c.Bytes), c.Unconverted) << c.Bytes;
  }
  EXPECT_EQ(ConversionHint("standard input", "-"),
            "standard input looks like UTF-8 text (or has LF line ends): `qorv chapter convert - "
            "-o NEW.qrv` makes it a Chapter");
}

}  // namespace
}  // namespace qorv
