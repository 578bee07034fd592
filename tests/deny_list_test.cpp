// The deny list: the fold of names and words, what a list refuses, and the lines it refuses.
#include <gtest/gtest.h>

#include <string>

#include "deny/deny_fold.h"
#include "deny/deny_list.h"

namespace qorv {
namespace {

TEST(DenyFold, FoldsSpellingGamesToOneForm) {
  const struct {
    const char* text;  // Windows-1252
    const char* fold;
  } cases[] = {
      {"Phukwen", "fukwen"},
      {"F\xFCkkaby", "fukabi"},
      {"Vorfuqa", "vorfuka"},
      {"Sh1tmere", "shitmere"},
      {"Shytmoor", "shitmor"},
      {"Schyttle", "skhitle"},
      {"ZAZZLE", "sasle"},
      {"d0ck-h34d", "dokhead"},
      {"2468 9", "2a689"},
      {"\xC6thel\xDF\xE9", "aethelse"},
      {"O'Rourke", "orourke"},
      {"\x8C"
       "CCY",
       "oeki"},
      {"\xDE\xF0ppel", "thdpel"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DenyFold(c.text), c.fold) << c.text;
}

TEST(DenyList, RefusesNamesThatHoldAWordUnderTheFold) {
  DenyList list;
  ASSERT_TRUE(list.AddWords("\xEF\xBB\xBF# notes\r\n  fuck \r\n\r\nshit\nd\xC3\xAEk"));
  ASSERT_EQ(list.Words().size(), 3u);
  EXPECT_EQ(list.Words()[2].Word, "d\xC3\xAEk");
  EXPECT_EQ(list.Match("Phukwen"), 0u);
  EXPECT_EQ(list.Match("Vorsh1tby"), 1u);
  EXPECT_EQ(list.Match("Meddick"), 2u);
  EXPECT_EQ(list.Match("Schyttle"), std::nullopt);
  EXPECT_EQ(list.Match("Brangwyn"), std::nullopt);
}

TEST(DenyList, RefusesALineThatIsNotOneWord) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"ok\nbad word\n", "line 2: more than one word: bad word"},
      {"\xC5\x81odz", "line 1: not Windows-1252 text in UTF-8: \xC5\x81odz"},
      {"fine\n\n--\n", "line 3: no letter or digit: --"},
  };
  for (const auto& c : cases) {
    DenyList list;
    const Result<void> added = list.AddWords(c.text);
    ASSERT_FALSE(added) << c.text;
    EXPECT_EQ(added.error().message, c.message);
  }
}

}  // namespace
}  // namespace qorv
