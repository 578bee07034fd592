// The hand-made edge inputs of the loader's fuzz corpus, loaded as the Chapter list loads a file:
// each must still end the way its name says, so that the corpus keeps reaching every refusal and
// every bound it was written for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"

namespace qorv {
namespace {

struct EdgeInput {
  const char* file;   // in fuzz/corpus/loader/, without the "edge_" prefix
  const char* cause;  // the expected Message; empty: the file loads
  int names = 0;      // NameCount of a file that loads
};

const EdgeInput kEdgeInputs[] = {
    {"empty", "Invalid or missing TITLE tag"},
    {"all_byte_values", "Invalid or missing TITLE tag"},
    {"header_only_no_names", "Missing NAMES tag"},
    {"names_without_terminator", "Invalid NAMES tag"},
    {"names_quotes_run_out", "Invalid NAMES tag"},
    {"names_one_open_quote", "Invalid NAMES tag"},
    {"names_empty_name", "Invalid character in name #2 ()"},
    {"names_space_in_name", "Invalid character in name #1 (ANNE MARIE)"},
    {"names_end_before_more", "", 2},
    {"names_1000_commas", "", 1000},
    {"names_1001_commas", "Too many names"},
    {"names_1001_no_commas", "Too many names"},
    {"huge_comma_count", "Too many names"},
    {"commas_before_names", "", 2},
    {"bare_lf_comment_before_spccon", "Invalid or missing SPCCON tag"},
    {"bare_lf_no_comments", "", 2},
    {"cr_only_comments", "", 2},
    {"comment_hides_names", "", 2},
    {"header_tag_in_comment", "", 1},
    {"specials_10", "", 1},
    {"specials_11", "Too many special consonants"},
    {"specials_empty_entry_then_bad", "Invalid character in special consonant #2"},
    {"specials_nested", "Invalid character in special consonant #1"},
    {"specials_nested_empty", "Invalid character in special consonant #1"},
    {"specials_unclosed", "", 1},
    {"specials_digits_soft", "", 2},
    {"options_all", "", 5},
    {"options_long_values", "", 1},
    {"elements_31", "", 1},
    {"elements_32", "Too many elements in name #1 (BABABABABABABABABABABABABABABABA)"},
    {"elements_one", "Too few elements in name #1 (AEIOU)"},
    {"multi_one_element", "Too few elements in name #1 (ALA)"},
    {"vowel_elements_255", "", 255},
    {"vowel_elements_256", "Too many different elements"},
    {"consonant_elements_255", "", 255},
    {"consonant_elements_256", "Too many different elements"},
    {"all_byte_values_in_title", "", 1},
    {"all_letters_in_names", "", 121},
    {"size_32768", "", 2},
    {"size_32769", "File too large"},
    {"long_name_one_vowel", "", 1},
};

std::string CorpusDir() {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return std::string(source ? source : ".") + "/fuzz/corpus/loader/";
}

TQorvChapter Load(const std::string& file, PlainChapterClient& client) {
  const std::string path = CorpusDir() + "edge_" + file;
  TQorvChapter chapter;
  LoadChapter(chapter, path, EstimateNameCount(path), client);
  return chapter;
}

class LoaderEdgeInputsTest : public ::testing::TestWithParam<EdgeInput> {};

TEST_P(LoaderEdgeInputsTest, EndsAsItsNameSays) {
  PlainChapterClient client;
  const TQorvChapter chapter = Load(GetParam().file, client);
  EXPECT_EQ(chapter.Message, GetParam().cause);
  EXPECT_EQ(chapter.Loaded, GetParam().cause[0] == '\0' ? 1 : 0);
  if (chapter.Loaded) {
    EXPECT_EQ(chapter.NameCount, GetParam().names);
  }
}

// The name holds every byte value but the quote; its message is checked by its fixed parts.
TEST(LoaderEdgeInputsNameTest, AllByteValuesInANameAreRefusedAsTheFirstName) {
  PlainChapterClient client;
  const TQorvChapter chapter = Load("all_byte_values_in_name", client);
  EXPECT_EQ(chapter.Message.rfind("Invalid character in name #1 (", 0), 0u) << chapter.Message;
  EXPECT_EQ(chapter.Message.back(), ')');
}

INSTANTIATE_TEST_SUITE_P(Corpus, LoaderEdgeInputsTest, ::testing::ValuesIn(kEdgeInputs),
                         [](const ::testing::TestParamInfo<EdgeInput>& info) {
                           return std::string(info.param.file);
                         });

// A new edge input needs an expectation above (or a test of its own).
TEST(LoaderEdgeInputsListTest, EveryEdgeInputHasAnExpectation) {
  std::set<std::string> expected = {"all_byte_values_in_name"};
  for (const EdgeInput& input : kEdgeInputs) expected.insert(input.file);
  std::set<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusDir())) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("edge_", 0) == 0) found.insert(name.substr(5));
  }
  EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace qorv
