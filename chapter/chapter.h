// TQorvChapter: one loaded Chapter, its header, options, counters and generator request state.
//
// Filled by LoadChapter (chapter/loader.h) once; a record is never loaded twice. It owns its
// strings and nothing else: the statistics block and the history ring belong to the Client,
// which must outlive the record.
#pragma once

#include <cstdint>
#include <string>

namespace qorv {

class ChapterClient;

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
  std::uint8_t RandomSeeded = 0;
  ChapterClient* Client = nullptr;  // not owned
  std::uint8_t NewRequest = 0;
  int AttemptCount = 0;
  int RequestClass = 0;
  int RequestPattern = 0;
  // A length pattern was drawn at the first attempt of the current request, so RequestPattern
  // belongs to RequestClass.
  std::uint8_t RequestPatternDrawn = 0;
};

}  // namespace qorv
