// The scores of a name against seed names: the letter model's bits worked out by hand, the edit
// distance, the nearest seed and the folding of case and accents.
#include "scoring/name_scorer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scoring/folded_name.h"
#include "scoring/seed_pieces.h"

namespace qorv {
namespace {

TEST(NameScorer, BitsFollowTheAddOneOrderTwoModel) {
  // One seed "AB": its steps ^^>A, ^A>B, AB>end; three symbols (A, B, the end).
  const LetterModel model({"AB"});
  struct Case {
    const char* name;
    double bits;
  } cases[] = {
      {"AB", 1.0},                           // each step (1 + 1) / (1 + 3)
      {"BA", (2 + 2 * std::log2(3.0)) / 3},  // 1/4, then two unseen contexts 1/3
      {"A", (1 + std::log2(4.0)) / 2},       // ^^>A 2/4, ^A>end 1/4
  };
  for (const Case& c : cases) EXPECT_NEAR(model.BitsPerLetter(c.name), c.bits, 1e-12) << c.name;
  EXPECT_EQ(LetterModel().BitsPerLetter("AB"), 0);
}

TEST(NameScorer, NearestSeedByEditDistance) {
  EXPECT_EQ(EditDistance("KITTEN", "SITTING"), 3);
  EXPECT_EQ(EditDistance("", "ABC"), 3);
  EXPECT_EQ(EditDistance("FLAW", "LAWN"), 2);
  const NameScorer scorer({"Aren", "Bolt", "Dara"});
  const NameScore score = scorer.Score("bold");
  EXPECT_EQ(score.NearestSeed, "Bolt");
  EXPECT_EQ(score.EditDistance, 1);
  // Of three seeds, the bar is the highest bits (nine in ten: all but none).
  EXPECT_EQ(scorer.SeedBits().size(), 3u);
  EXPECT_DOUBLE_EQ(scorer.SeedBits()[1], scorer.BitsPerLetter("BOLT"));
  EXPECT_EQ(scorer.TypicalBar(),
            *std::max_element(scorer.SeedBits().begin(), scorer.SeedBits().end()));
}

TEST(NameScorer, FoldingAndPieces) {
  EXPECT_EQ(FoldedName("\xC1r\xE9n"), "AREN");    // Árén
  EXPECT_EQ(FoldedName("\x8A\xE1rka"), "SARKA");  // Šárka
  EXPECT_EQ(FoldedName("\xC6sir"), "\xC6SIR");    // Æ stays
  const SeedPieces pieces({"ARNHELM"});
  EXPECT_TRUE(pieces.Holds("ARN"));
  EXPECT_TRUE(pieces.Holds("ARNHELM"));
  EXPECT_FALSE(pieces.Holds("ARNHELMS"));
}

}  // namespace
}  // namespace qorv
