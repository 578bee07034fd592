// The C API as a C program meets it: every call's result and message, its failures included (a
// file that does not load, a buffer too small, NULL handles and pointers, options out of range).
#include "quorvane/quorvane.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

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

// One call: its result (a length, a count or a QV_ERROR_*) and the message it leaves.
struct CallCase {
  const char* what;
  std::function<int(const qv_lexicon*)> call;
  int expected;
  const char* message;  // qv_last_error() after the failing call, in full; nullptr on success
};

TEST(CApiTest, CallsReturnTheirResultOrTheirErrorWithItsMessage) {
  const LoadedLexicon elder(
      qv_lexicon_load_file(SampleChapter("elder_folk.qrv").c_str(), nullptr, 0));
  ASSERT_NE(elder.handle, nullptr) << qv_last_error();
  char buffer[256];
  const std::vector<CallCase> cases = {
      {"name count", [](const qv_lexicon* l) { return qv_lexicon_name_count(l); }, 78, nullptr},
      {"vowel elements", [](const qv_lexicon* l) { return qv_lexicon_vowel_element_count(l); }, 22,
       nullptr},
      {"consonant elements",
       [](const qv_lexicon* l) { return qv_lexicon_consonant_element_count(l); }, 37, nullptr},
      {"elements per name", [](const qv_lexicon* l) { return qv_lexicon_max_elements_per_name(l); },
       7, nullptr},
      {"title", [&](const qv_lexicon* l) { return qv_lexicon_title(l, buffer, sizeof buffer); }, 17,
       nullptr},
      {"a count of no lexicon", [](const qv_lexicon*) { return qv_lexicon_name_count(nullptr); },
       QV_ERROR_ARGUMENT, "qv_lexicon_name_count: lexicon is NULL"},
      {"a title too long for its buffer",
       [&](const qv_lexicon* l) { return qv_lexicon_title(l, buffer, 5); }, QV_ERROR_BUFFER,
       "qv_lexicon_title: the text needs 18 bytes, the buffer holds 5"},
      {"a name into no buffer",
       [](const qv_lexicon* l) {
         const qv_options options = Level(2);
         return qv_name_for(l, &options, 7, "npc-42", nullptr, 0);
       },
       QV_ERROR_BUFFER, "qv_name_for: the text needs 11 bytes, the buffer holds 0"},
      {"a name of no key",
       [&](const qv_lexicon* l) {
         const qv_options options = Level(2);
         return qv_name_for(l, &options, 7, nullptr, buffer, sizeof buffer);
       },
       QV_ERROR_ARGUMENT, "qv_name_for: key is NULL"},
      {"a name without options",
       [&](const qv_lexicon* l) { return qv_name_for(l, nullptr, 7, "k", buffer, sizeof buffer); },
       QV_ERROR_ARGUMENT, "qv_name_for: options is NULL"},
      {"a name of no lexicon",
       [&](const qv_lexicon*) {
         const qv_options options = Level(2);
         return qv_name_for(nullptr, &options, 7, "k", buffer, sizeof buffer);
       },
       QV_ERROR_ARGUMENT, "qv_name_for: lexicon is NULL"},
      {"a level out of range",
       [&](const qv_lexicon* l) {
         const qv_options options = Level(4);
         return qv_name_for(l, &options, 7, "k", buffer, sizeof buffer);
       },
       QV_ERROR_ARGUMENT, "qv_name_for: level must be 0 to 3: 4"},
      {"the next name of no generator",
       [&](const qv_lexicon*) { return qv_generator_next(nullptr, buffer, sizeof buffer); },
       QV_ERROR_ARGUMENT, "qv_generator_next: generator is NULL"},
  };
  for (const CallCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.call(elder.handle), c.expected);
    if (c.message) {
      EXPECT_STREQ(qv_last_error(), c.message);
    }
  }
  ASSERT_EQ(qv_lexicon_title(elder.handle, buffer, sizeof buffer), 17);
  EXPECT_STREQ(buffer, "The Silver Tongue");
}

TEST(CApiTest, LoadFailuresReturnNullWithTheLoadersMessageCutToTheBuffer) {
  char err[256];
  EXPECT_EQ(qv_lexicon_load_file(SampleChapter("no_such.qrv").c_str(), err, sizeof err), nullptr);
  EXPECT_EQ(std::string(err).rfind("Couldn't open file", 0), 0u) << err;
  EXPECT_STREQ(qv_last_error(), err);

  qv_lexicon_free(nullptr);  // allowed, as free(NULL) is
  EXPECT_EQ(qv_lexicon_load_file(nullptr, err, sizeof err), nullptr);
  EXPECT_STREQ(err, "qv_lexicon_load_file: path is NULL");

  qorv::testing::ChapterSource source;
  source.line1 = std::nullopt;
  const std::string text = source.Text();
  EXPECT_EQ(qv_lexicon_load_bytes(text.data(), text.size(), err, sizeof err), nullptr);
  EXPECT_STREQ(err, "Invalid or missing LINE1 tag");
  // A short buffer gets the message's start, always terminated; a NULL one nothing.
  char small[8];
  std::memset(small, 'x', sizeof small);
  EXPECT_EQ(qv_lexicon_load_bytes(text.data(), text.size(), small, sizeof small), nullptr);
  EXPECT_STREQ(small, "Invalid");
  EXPECT_EQ(qv_lexicon_load_bytes(text.data(), text.size(), nullptr, 0), nullptr);
  EXPECT_STREQ(qv_last_error(), "Invalid or missing LINE1 tag");
  EXPECT_EQ(qv_lexicon_load_bytes(nullptr, 10, err, sizeof err), nullptr);
  EXPECT_STREQ(err, "qv_lexicon_load_bytes: data is NULL");

  const std::string good = qorv::testing::ChapterSource{}.Text();
  const LoadedLexicon loaded(qv_lexicon_load_bytes(good.data(), good.size(), err, sizeof err));
  ASSERT_NE(loaded.handle, nullptr) << err;
  EXPECT_EQ(qv_lexicon_name_count(loaded.handle), 2);
}

TEST(CApiTest, GeneratorsRepeatForTheirSeedAndKeepANameTheBufferCouldNotHold) {
  const LoadedLexicon elder(
      qv_lexicon_load_file(SampleChapter("elder_folk.qrv").c_str(), nullptr, 0));
  ASSERT_NE(elder.handle, nullptr) << qv_last_error();
  const qv_options options = Level(2);
  const std::vector<std::string> names = Names(elder.handle, options, 42, 5);
  ASSERT_EQ(names.size(), 5u);
  EXPECT_EQ(Names(elder.handle, options, 42, 5), names);
  EXPECT_NE(Names(elder.handle, options, 43, 5), names);
  // The names of the C++ API, which the C API only passes on.
  const auto lexicon = quorvane::Lexicon::LoadFile(SampleChapter("elder_folk.qrv"));
  ASSERT_TRUE(lexicon);
  quorvane::Options level_two;
  level_two.level = 2;
  quorvane::Generator same(*lexicon, level_two, 42);
  for (const std::string& name : names) EXPECT_EQ(same.Next(), name);

  qv_generator* generator = qv_generator_new(elder.handle, &options, 42);
  ASSERT_NE(generator, nullptr);
  char tiny[2];
  EXPECT_EQ(qv_generator_next(generator, tiny, sizeof tiny), QV_ERROR_BUFFER);
  EXPECT_EQ(std::string(qv_last_error()), "qv_generator_next: the text needs " +
                                              std::to_string(names[0].size() + 1) +
                                              " bytes, the buffer holds 2");
  char name[256];
  EXPECT_EQ(qv_generator_next(generator, name, sizeof name), static_cast<int>(names[0].size()));
  EXPECT_EQ(name, names[0]);
  EXPECT_EQ(qv_generator_next(generator, name, sizeof name), static_cast<int>(names[1].size()));
  EXPECT_EQ(name, names[1]);
  qv_generator_free(generator);
  qv_generator_free(nullptr);

  qv_options bad = Level(2);
  bad.validation = 3;
  EXPECT_EQ(qv_generator_new(elder.handle, &bad, 42), nullptr);
  EXPECT_STRNE(qv_last_error(), "");
  bad = Level(2);
  bad.initial = "ab";
  EXPECT_EQ(qv_generator_new(elder.handle, &bad, 42), nullptr);
  EXPECT_EQ(qv_generator_new(nullptr, &options, 42), nullptr);
  EXPECT_STREQ(qv_last_error(), "qv_generator_new: lexicon is NULL");
  EXPECT_EQ(qv_generator_new(elder.handle, nullptr, 42), nullptr);
  EXPECT_STREQ(qv_last_error(), "qv_generator_new: options is NULL");
}

TEST(CApiTest, NameForDependsOnTheKeyAndTheWorldAlone) {
  const LoadedLexicon elder(
      qv_lexicon_load_file(SampleChapter("elder_folk.qrv").c_str(), nullptr, 0));
  ASSERT_NE(elder.handle, nullptr) << qv_last_error();
  const qv_options options = Level(2);
  const auto name_for = [&](std::uint64_t world, const char* key) {
    char name[256];
    const int length = qv_name_for(elder.handle, &options, world, key, name, sizeof name);
    EXPECT_EQ(length, length > 0 ? static_cast<int>(std::strlen(name)) : length);
    return length > 0 ? std::string(name) : std::string();
  };
  const std::string npc = name_for(7, "npc-42");
  ASSERT_FALSE(npc.empty()) << qv_last_error();
  const auto lexicon = quorvane::Lexicon::LoadFile(SampleChapter("elder_folk.qrv"));
  ASSERT_TRUE(lexicon);
  quorvane::Options level_two;
  level_two.level = 2;
  EXPECT_EQ(quorvane::NameFor(*lexicon, level_two, 7, "npc-42"), npc);
  // A generator in between changes nothing: the name has no state behind it.
  Names(elder.handle, options, 42, 3);
  EXPECT_EQ(name_for(7, "npc-42"), npc);
  int differ = 0;
  for (const char* key : {"npc-41", "npc-43", "npc-420", "NPC-42"})
    differ += name_for(7, key) != npc;
  for (std::uint64_t world : {0ull, 8ull, 0xFFFFFFFFFFFFFFFFull})
    differ += name_for(world, "npc-42") != npc;
  EXPECT_GE(differ, 5);  // of 7: a few may meet by chance, not most
}

}  // namespace
