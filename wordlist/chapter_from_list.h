// A word list made into a Chapter in one pass: the lines read one by one (WordListReader), the
// names picked (NamePool, or the first ones as they come) and fitted (NameChooser), and every
// line's fate told to an observer as soon as it is known, so that nothing of it is held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "wordlist/chapter_fitting.h"
#include "wordlist/name_picking.h"
#include "wordlist/word_list.h"

namespace qorv {

struct ListOptions {
  WordListOptions Reading;
  PickMode Pick = PickMode::kFirst;
  std::uint64_t Seed = 0;  // for PickMode::kRandom
};

// Told what becomes of the list's lines, in the order it is found out.
class ListObserver {
 public:
  virtual ~ListObserver() = default;
  // Every line that is neither blank nor a comment, as read: a name (which may still be left
  // out), a skipped line or a repeat.
  virtual void Read(const WordListEntry& entry) = 0;
  // A repeat found only among the names picked (the reader had stopped remembering).
  virtual void Merged(const WordListEntry& entry) = 0;
  // A name that the Chapter's limits leave out, one by one.
  virtual void LeftOut(const WordListEntry& name, LeftOutReason reason) = 0;
  // The names cut off by the name count or the file size: how many, the first of them.
  virtual void LeftOutFrom(std::size_t count, const WordListEntry& first, LeftOutReason reason) = 0;
  // Names not picked by PickMode::kSpread or kRandom.
  virtual void NotPicked(std::size_t count, PickMode mode) = 0;
};

struct ListChapter {
  FittedChapter Fitted;  // Kept and LeftOut index the names taken by the chooser
  std::size_t Kept = 0;
  std::size_t Skipped = 0;
  std::size_t Merged = 0;
  std::size_t LeftOut = 0;  // by the limits, or not picked
};

// `bytes` after RefusedAsText.
ListChapter MakeListChapter(std::string_view bytes, const LetterMapper& mapper,
                            const ChapterHeader& header, const ListOptions& options,
                            ListObserver& observer);

}  // namespace qorv
