// A Chapter whose seed names are drawn from several loaded Chapters in given shares. The blend
// keeps only the decomposition settings every input shares (each special consonant declared with
// the same text by all, SOFT, MULTI, the Y and U modes), and writes every name in letters, so that
// a name stands for the same letters in the blend as in its own Chapter. Standard library only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "wordlist/chapter_fitting.h"

namespace qorv {

struct BlendInput {
  std::string Label;  // how the notes name it
  std::string Text;   // the loaded Chapter's text (comments blanked), Windows-1252
  int YMode = 0;      // as loaded
  int UMode = 0;
  double Weight = 1;  // >= 0; the shares are the weights over their sum
};

struct BlendedChapter {
  FittedChapter Fitted;             // Kept indexes `Names`
  std::vector<std::string> Names;   // in the order drawn, Windows-1252, upper-case
  std::vector<std::size_t> Origin;  // the input of each of `Names`
  std::vector<std::size_t> Taken;   // per input: its names in the written Chapter
  std::vector<std::string> Notes;   // UTF-8, one line each, without "qorv: "
};

// Draws distinct names from `inputs` in the shares of their weights, seeded by `seed` so that the
// same seed draws the same blend, and fits them into one Chapter: up to 1000, and no more than
// the input with the fewest names for its share can fill, so that the shares hold. `header` gives
// the tags; its SPCCON and SPCVOW values are replaced by the settings the inputs share, and unless
// `options_given` the Y and U keywords of its GENOPT value are replaced by the modes they share.
// A slot whose input has no new name left (its names came from another input already) is
// filled from the others, with a note.
BlendedChapter BlendChapters(const std::vector<BlendInput>& inputs, ChapterHeader header,
                             bool options_given, std::uint64_t seed);

// The names of a Chapter text in letters: upper-cased as the loader does, each digit that
// stands for one of the Chapter's special consonants written as that consonant's letters.
std::vector<std::string> NamesInLetters(const std::string& text);

}  // namespace qorv
