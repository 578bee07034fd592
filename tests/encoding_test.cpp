// Windows-1252 <-> UTF-8: every byte of the code page, the 80..9F specials, the five undefined
// bytes, and what UTF-8 input is refused.
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace qorv {
namespace {

TEST(Cp1252ToUtf8, AsciiAndLatin1BytesKeepTheirCodePoints) {
  EXPECT_EQ(Cp1252ToUtf8("Arnhelm 'O-1'"), "Arnhelm 'O-1'");
  EXPECT_EQ(Cp1252ToUtf8("Jos\xE9"), "Jos\xC3\xA9");        // é
  EXPECT_EQ(Cp1252ToUtf8("\xC5"), "\xC3\x85");              // Å
  EXPECT_EQ(Cp1252ToUtf8("\xA0"), "\xC2\xA0");              // no-break space
  EXPECT_EQ(Cp1252ToUtf8("\xFF\xDF"), "\xC3\xBF\xC3\x9F");  // ÿß
  EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1252ToUtf8, AppendingKeepsWhatTheBufferHeld) {
  std::string line = "x";
  AppendCp1252AsUtf8("\xC5sa\x80", line);
  AppendCp1252AsUtf8("", line);
  AppendCp1252AsUtf8("b\xE9", line);
  EXPECT_EQ(line,
            "x\xC3\x85sa\xE2\x82\xAC"
            "b\xC3\xA9");
}

TEST(Cp1252ToUtf8, SpecialsOf80To9F) {
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // € U+20AC
  EXPECT_EQ(Cp1252ToUtf8("\x8A"), "\xC5\xA0");      // Š U+0160
  EXPECT_EQ(Cp1252ToUtf8("\x8C"), "\xC5\x92");      // Œ U+0152
  EXPECT_EQ(Cp1252ToUtf8("\x92"), "\xE2\x80\x99");  // ’ U+2019
  EXPECT_EQ(Cp1252ToUtf8("\x99"), "\xE2\x84\xA2");  // ™ U+2122
  EXPECT_EQ(Cp1252ToUtf8("\x9A"), "\xC5\xA1");      // š U+0161
  EXPECT_EQ(Cp1252ToUtf8("\x9C"), "\xC5\x93");      // œ U+0153
  EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");      // Ÿ U+0178
}

TEST(Cp1252ToUtf8, UndefinedBytesBecomeC1Controls) {
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");
  EXPECT_EQ(Cp1252ToUtf8("\x8D"), "\xC2\x8D");
  EXPECT_EQ(Cp1252ToUtf8("\x8F"), "\xC2\x8F");
  EXPECT_EQ(Cp1252ToUtf8("\x90"), "\xC2\x90");
  EXPECT_EQ(Cp1252ToUtf8("\x9D"), "\xC2\x9D");
}

TEST(Utf8ToCp1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8CharToCp1252(Cp1252ToUtf8(one)), static_cast<char>(b)) << "byte " << b;
  }
}

TEST(Utf8CharToCp1252, OneCharacterOfTheCodePage) {
  EXPECT_EQ(Utf8CharToCp1252("A"), 'A');
  EXPECT_EQ(Utf8CharToCp1252("\xE2\x82\xAC"), '\x80');  // €
  EXPECT_EQ(Utf8CharToCp1252("\xC5\xA0"), '\x8A');      // Š
  EXPECT_EQ(Utf8CharToCp1252("\xC5\xB8"), '\x9F');      // Ÿ
  EXPECT_EQ(Utf8CharToCp1252("\xC3\x89"), '\xC9');      // É
  EXPECT_EQ(Utf8CharToCp1252("\xC2\x9D"), '\x9D');      // an undefined byte, as its C1 control
}

TEST(Utf8CharToCp1252, RefusesWhatIsNotExactlyOneCodePageCharacter) {
  EXPECT_EQ(Utf8CharToCp1252(""), std::nullopt);
  EXPECT_EQ(Utf8CharToCp1252("AB"), std::nullopt);
  EXPECT_EQ(Utf8CharToCp1252("\xC3\xA9x"), std::nullopt);
  EXPECT_EQ(Utf8CharToCp1252("\xC2\x80"), std::nullopt);      // U+0080: 80 is the euro sign
  EXPECT_EQ(Utf8CharToCp1252("\xC4\x80"), std::nullopt);      // U+0100, not in the code page
  EXPECT_EQ(Utf8CharToCp1252("\xE4\xB8\xAD"), std::nullopt);  // U+4E2D
  EXPECT_EQ(Utf8CharToCp1252("\xE9"), std::nullopt);          // a Windows-1252 byte, not UTF-8
  EXPECT_EQ(Utf8CharToCp1252("\xC3"), std::nullopt);          // cut short
  EXPECT_EQ(Utf8CharToCp1252("\xC0\xC1"), std::nullopt);
}

TEST(DecodeUtf8Char, LengthsAndMalformedForms) {
  const auto four = DecodeUtf8Char("\xF0\x9F\x98\x80rest");
  ASSERT_TRUE(four.has_value());
  EXPECT_EQ(four->code_point, U'\U0001F600');
  EXPECT_EQ(four->length, 4u);
  const auto three = DecodeUtf8Char("\xE2\x82\xAC");
  ASSERT_TRUE(three.has_value());
  EXPECT_EQ(three->code_point, U'\u20AC');
  EXPECT_EQ(three->length, 3u);

  EXPECT_FALSE(DecodeUtf8Char("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(DecodeUtf8Char("\xE0\x80\xAF"));      // overlong "/"
  EXPECT_FALSE(DecodeUtf8Char("\xED\xA0\x80"));      // surrogate U+D800
  EXPECT_FALSE(DecodeUtf8Char("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(DecodeUtf8Char("\x80"));              // a continuation byte first
  EXPECT_FALSE(DecodeUtf8Char("\xE2\x82"));          // cut short
  EXPECT_FALSE(DecodeUtf8Char("\xE2\x41\xAC"));      // broken continuation
}

TEST(Utf8ToCp1252, WholeTexts) {
  EXPECT_EQ(Utf8ToCp1252("J\xC3\xB6rmungandr \xE2\x82\xAC"), "J\xF6rmungandr \x80");
  EXPECT_EQ(Utf8ToCp1252(""), "");
  EXPECT_EQ(Utf8ToCp1252("Ok \xC4\x80"), std::nullopt);
  EXPECT_EQ(Utf8ToCp1252("Ok \xE9"), std::nullopt);
}

TEST(CountUtf8MultiByteSequences, TellsUtf8FromSingleByteText) {
  EXPECT_EQ(CountUtf8MultiByteSequences("Plain ASCII"), 0);
  EXPECT_EQ(CountUtf8MultiByteSequences("Jos\xE9 \xC5ngar \x80"), 0);  // Windows-1252
  EXPECT_EQ(CountUtf8MultiByteSequences("Jos\xC3\xA9"), 1);
  EXPECT_EQ(CountUtf8MultiByteSequences("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), 3);
  EXPECT_EQ(CountUtf8MultiByteSequences("\xA9\xA9\xC3"), 0);  // stray continuations, cut lead
}

}  // namespace
}  // namespace qorv
