// TQorvChapter: one loaded Chapter, its header, options and counters.
//
// Filled by LoadChapter (chapter/loader.h) once; a record is never loaded twice, and nothing
// writes it after the load: it is a value that any number of generators may read at once. It owns
// its strings and nothing else; the statistics block the same load filled goes with it, read-only
// from then on. What a generator keeps of its requests (the request state, the random source and
// the history ring) is the generator's own (generator/name_generator.h).
#pragma once

#include <cstdint>
#include <string>

namespace qorv {

struct TQorvChapter {
  std::uint8_t Loaded = 0;
  std::string Message;  // cause of a failed load; empty while no error occurred
  std::string Title;
  std::string Line1;
  std::string Line2;
  std::string Date;
  int NameCount = 0;
  int VowelElementCount = 0;
  int ConsonantElementCount = 0;
  std::uint8_t StructGen = 0;
  std::uint8_t StatGen = 0;
  std::uint8_t Shuffle = 0;
  std::uint8_t Prefix = 0;
  std::uint8_t Suffix = 0;
  int FitLevel = 0;  // suggested generation level, as read (may lie outside 0..3)
  int ValLevel = 0;  // suggested validation level, as read (may lie outside 0..2)
  int PunctMode = 0;
  std::string InitialLetters;  // distinct first letters of the seed names, in order
  std::string Text;            // the whole file; comments blanked during the load
  int YMode = 0;               // 0 none, 1 Y:CON, 2 Y:SEMI
  int UMode = 0;               // 0 none, 2 U:SEMI
};

}  // namespace qorv
