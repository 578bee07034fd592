// The C API as a C program meets it: every call's result and message, its failures included (a
// file that does not load, a buffer too small, NULL handles and pointers, options out of range).
#include "quorvane/quorvane.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "quorvane/composer.h"
#include "quorvane/lexicon.h"
#include "tests/chapter_source.h"

namespace {

std::string SampleChapter(const char* file) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return std::string(source ? source : ".") + "/chapters/" + file;
}

// A lexicon freed with its scope.
struct LoadedLexicon {
  explicit LoadedLexicon(qv_lexicon* lexicon) : handle(lexicon) {}
  ~LoadedLexicon() { qv_lexicon_free(handle); }
  qv_lexicon* handle;
};

qv_options Level(int level) {
  qv_options options;
  qv_options_init(&options);
  options.level = level;
  return options;
}

// The first `count` names of a generator over `lexicon` with `seed`.
std::vector<std::string> Names(const qv_lexicon* lexicon, const qv_options& options,
                               std::uint32_t seed, int count) {
  qv_generator* generator = qv_generator_new(lexicon, &options, seed);
  std::vector<std::string> names;
  char name[256];
  for (int i = 0; i < count && generator; ++i) {
    if (qv_generator_next(generator, name, sizeof name) > 0) names.emplace_back(name);
  }
  qv_generator_free(generator);
  return names;
}

// One call's result and, when it failed, the message it left (taken at once: rows of a table
// are evaluated in order).
struct Outcome {
  int result;
  std::string message;
};
Outcome Call(int result) {
  return {result, result < 0 ? qv_last_error() : ""};
}

struct CallCase {
  const char* what;
  Outcome got;
  int expected;
  const char* message;
};

TEST(CApiTest, CallsReturnTheirResultOrTheirErrorWithItsMessage) {
  const LoadedLexicon elder(qv_lexicon_load_file(SampleChapter("elder_folk.qrv").c_str(), 0, 0));
  ASSERT_NE(elder.handle, nullptr) << qv_last_error();
  const qv_lexicon* l = elder.handle;
  const qv_options two = Level(2), four = Level(4);
  qv_options bad_initial = Level(2);
  bad_initial.initial = "ab";
  char title[256], name[256];
  const CallCase cases[] = {
      {"names", Call(qv_lexicon_name_count(l)), 78, ""},
      {"vowel elements", Call(qv_lexicon_vowel_element_count(l)), 22, ""},
      {"consonant elements", Call(qv_lexicon_consonant_element_count(l)), 37, ""},
      {"elements per name", Call(qv_lexicon_max_elements_per_name(l)), 7, ""},
      {"title", Call(qv_lexicon_title(l, title, sizeof title)), 17, ""},
      {"no lexicon", Call(qv_lexicon_name_count(nullptr)), QV_ERROR_ARGUMENT,
       "qv_lexicon_name_count: lexicon is NULL"},
      {"short buffer", Call(qv_lexicon_title(l, title, 5)), QV_ERROR_BUFFER,
       "qv_lexicon_title: the text needs 18 bytes, the buffer holds 5"},
      {"key's name", Call(qv_name_for(l, &two, 7, "npc-42", name, sizeof name)), 10, ""},
      {"no buffer", Call(qv_name_for(l, &two, 7, "npc-42", nullptr, 0)), QV_ERROR_BUFFER,
       "qv_name_for: the text needs 11 bytes, the buffer holds 0"},
      {"no key", Call(qv_name_for(l, &two, 7, nullptr, name, 9)), QV_ERROR_ARGUMENT,
       "qv_name_for: key is NULL"},
      {"no options", Call(qv_name_for(l, nullptr, 7, "k", name, 9)), QV_ERROR_ARGUMENT,
       "qv_name_for: options is NULL"},
      {"no lexicon", Call(qv_name_for(nullptr, &two, 7, "k", name, 9)), QV_ERROR_ARGUMENT,
       "qv_name_for: lexicon is NULL"},
      {"level 4", Call(qv_name_for(l, &four, 7, "k", name, 9)), QV_ERROR_ARGUMENT,
       "qv_name_for: level must be 0 to 3: 4"},
      {"two letters", Call(qv_name_for(l, &bad_initial, 7, "k", name, 9)), QV_ERROR_ARGUMENT,
       "qv_name_for: initial must be one letter: ab"},
      {"no generator", Call(qv_generator_next(nullptr, name, 9)), QV_ERROR_ARGUMENT,
       "qv_generator_next: generator is NULL"},
  };
  for (const CallCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.got.result, c.expected);
    EXPECT_EQ(c.got.message, c.message);
  }
  EXPECT_STREQ(title, "The Silver Tongue");  // the short buffer left it alone
  EXPECT_EQ(qv_generator_new(l, &four, 42), nullptr);
  EXPECT_STREQ(qv_last_error(), "qv_generator_new: level must be 0 to 3: 4");
  EXPECT_EQ(qv_generator_new(nullptr, &two, 42), nullptr);
  EXPECT_STREQ(qv_last_error(), "qv_generator_new: lexicon is NULL");
  qv_generator_free(nullptr);  // allowed, as free(NULL) is
  qv_lexicon_free(nullptr);
}

TEST(CApiTest, LoadFailuresReturnNullWithTheLoadersMessageCutToTheBuffer) {
  char err[256];
  EXPECT_EQ(qv_lexicon_load_file(SampleChapter("no_such.qrv").c_str(), err, sizeof err), nullptr);
  EXPECT_STREQ(err, "Couldn't open file (No such file or directory)");
  EXPECT_EQ(qv_lexicon_load_file(nullptr, err, sizeof err), nullptr);
  EXPECT_STREQ(err, "qv_lexicon_load_file: path is NULL");

  qorv::testing::ChapterSource source;
  source.line1 = std::nullopt;
  const std::string text = source.Text();
  char small[8];
  EXPECT_EQ(qv_lexicon_load_bytes(text.data(), text.size(), small, sizeof small), nullptr);
  EXPECT_STREQ(small, "Invalid");  // the message's start, terminated
  EXPECT_STREQ(qv_last_error(), "Invalid or missing LINE1 tag");
  EXPECT_EQ(qv_lexicon_load_bytes(nullptr, 10, err, sizeof err), nullptr);
  EXPECT_STREQ(err, "qv_lexicon_load_bytes: data is NULL");

  const std::string good = qorv::testing::ChapterSource{}.Text();
  const LoadedLexicon loaded(qv_lexicon_load_bytes(good.data(), good.size(), nullptr, 0));
  ASSERT_NE(loaded.handle, nullptr) << qv_last_error();
  EXPECT_EQ(qv_lexicon_name_count(loaded.handle), 2);
}

TEST(CApiTest, GivesTheNamesOfTheCppApiAndKeepsANameTheBufferCouldNotHold) {
  const LoadedLexicon elder(qv_lexicon_load_file(SampleChapter("elder_folk.qrv").c_str(), 0, 0));
  ASSERT_NE(elder.handle, nullptr) << qv_last_error();
  const qv_options options = Level(2);
  const std::vector<std::string> names = Names(elder.handle, options, 42, 5);
  ASSERT_EQ(names.size(), 5u);
  const auto lexicon = quorvane::Lexicon::LoadFile(SampleChapter("elder_folk.qrv"));
  ASSERT_TRUE(lexicon);
  quorvane::Options level_two;
  level_two.level = 2;
  quorvane::Generator same(*lexicon, level_two, 42);
  for (const std::string& name : names) EXPECT_EQ(same.Next(), name);
  char name[256];
  ASSERT_GT(qv_name_for(elder.handle, &options, 7, "npc-42", name, sizeof name), 0);
  EXPECT_EQ(quorvane::NameFor(*lexicon, level_two, 7, "npc-42"), name);

  qv_generator* generator = qv_generator_new(elder.handle, &options, 42);
  ASSERT_NE(generator, nullptr);
  char tiny[2];
  EXPECT_EQ(qv_generator_next(generator, tiny, sizeof tiny), QV_ERROR_BUFFER);
  EXPECT_EQ(qv_generator_next(generator, name, sizeof name), static_cast<int>(names[0].size()));
  EXPECT_EQ(name, names[0]);
  EXPECT_EQ(qv_generator_next(generator, name, sizeof name), static_cast<int>(names[1].size()));
  EXPECT_EQ(name, names[1]);
  qv_generator_free(generator);

  // A name's score is the C++ API's; a nearest seed too long for its buffer is refused.
  const quorvane::Result<quorvane::NameScore> expected = quorvane::Score(*lexicon, names[0]);
  ASSERT_TRUE(expected);
  qv_score score{};
  EXPECT_EQ(qv_score_name(elder.handle, names[0].c_str(), &score, name, sizeof name),
            static_cast<int>(expected->nearest_seed.size()));
  EXPECT_EQ(name, expected->nearest_seed);
  EXPECT_EQ(score.bits_per_letter, expected->bits_per_letter);
  EXPECT_EQ(score.typical, expected->typical ? 1 : 0);
  EXPECT_EQ(score.edit_distance, expected->edit_distance);
  EXPECT_EQ(qv_score_name(elder.handle, names[0].c_str(), &score, tiny, sizeof tiny),
            QV_ERROR_BUFFER);
  EXPECT_EQ(qv_score_name(elder.handle, "\xE6\x97\xA5", &score, name, sizeof name),
            QV_ERROR_ARGUMENT);
}

TEST(CApiTest, GivesTheWholeNamesOfARecipeAsTheComposerDoes) {
  const std::string path = SampleChapter("titled_names.recipe");
  qv_composer* composer = qv_composer_load_recipe(path.c_str(), nullptr, nullptr, 0);
  ASSERT_NE(composer, nullptr) << qv_last_error();
  const auto same = quorvane::Composer::LoadRecipe(path);
  ASSERT_TRUE(same);
  qv_composed_generator* names = qv_composed_generator_new(composer, 42);
  quorvane::ComposedGenerator expected(*same, 42);
  char name[256];
  for (int i = 0; i < 3; ++i) {
    ASSERT_GT(qv_composed_generator_next(names, name, sizeof name), 0);
    EXPECT_EQ(name, expected.Next()->name);
  }
  qv_composed_generator_free(names);
  ASSERT_GT(qv_composer_name_for(composer, 7, "npc-42", name, sizeof name), 0);
  EXPECT_EQ(name, quorvane::NameFor(*same, 7, "npc-42")->name);
  qv_composer_free(composer);

  char err[256];
  qv_options level;
  qv_options_init(&level);
  level.level = 1;
  EXPECT_EQ(qv_composer_load_recipe(path.c_str(), &level, err, sizeof err), nullptr);
  EXPECT_STREQ(err,
               "the filters of whole names take no generation options (they go with each "
               "part)");
  EXPECT_EQ(qv_composed_generator_next(nullptr, name, sizeof name), QV_ERROR_ARGUMENT);
}

}  // namespace
