#include "generator/key_seed.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace qorv {
namespace {

// The published values of both functions, and the worked example of the README: a change to
// either changes every name by key.
TEST(KeySeedTest, HashesGiveTheirPublishedValues) {
  EXPECT_EQ(Fnv1a64(""), 0xCBF29CE484222325ULL);
  EXPECT_EQ(Fnv1a64("a"), 0xAF63DC4C8601EC8CULL);
  EXPECT_EQ(Fnv1a64("foobar"), 0x85944171F73967E8ULL);
  // SplitMix64 seeded with 0: its first two outputs.
  EXPECT_EQ(SplitMix64(0), 0xE220A8397B1DCDAFULL);
  EXPECT_EQ(SplitMix64(0x9E3779B97F4A7C15ULL), 0x6E789E6AA1B965F4ULL);
  EXPECT_EQ(KeySeed(7, "npc-42"), 0xEC57D419u);
}

TEST(KeySeedTest, EveryByteOfTheKeyAndTheWorldCounts) {
  // Bytes above 0x7F are taken unsigned, and a NUL inside the key is one of its bytes.
  EXPECT_EQ(Fnv1a64("\xC3\xA9"), 0x0AC21707B7181E01ULL);
  EXPECT_EQ(Fnv1a64(std::string_view("a\0", 2)), 0x089BE207B544F1E4ULL);
  EXPECT_NE(KeySeed(7, "npc-42"), KeySeed(8, "npc-42"));
  EXPECT_NE(KeySeed(0, "npc-42"), KeySeed(0xFFFFFFFFFFFFFFFFULL, "npc-42"));
}

}  // namespace
}  // namespace qorv
