// The arguments of one generation attempt, as the user set them.
#pragma once

namespace qorv {

struct ChapterStatistics;
struct TQorvChapter;

struct GenerationRequest {
  const TQorvChapter* Chapter = nullptr;          // a loaded Chapter, only read
  const ChapterStatistics* Statistics = nullptr;  // the block its load filled, only read
  int GenerationLevel = 0;   // 0..3: how many adjacency tables a junction must satisfy
  int ValidationLevel = 0;   // 0..2; any value other than 0 and 1 acts as 2
  bool Structural = false;   // keep to a seed name's length pattern
  bool Statistical = false;  // choose by frequency instead of uniformly
  bool Prefixes = false;     // begin with a seed name's first two elements
  bool Suffixes = false;     // end with a seed name's last two elements
  char InitialLetter = '*';  // '*' for any letter
};

// The request a Chapter's GENOPT suggests, as the dialog's Automatic Options sets its controls
// and the generate command then reads them: the four switches as the Chapter has them, and a
// FIT: or VAL: level outside the buttons' range (which checks no button) read as level 0. The
// request's Chapter and Statistics are left for the caller to set.
GenerationRequest SuggestedRequest(const TQorvChapter& chapter);

// The request of a caller's options (those of `qorv generate`, those of the library): the
// Chapter's suggestion when `automatic`, else the level, validation and four switches as given;
// then the initial letter. Chapter and Statistics are left for the caller to set.
template <typename Options>
GenerationRequest RequestFor(const Options& options, const TQorvChapter& chapter,
                             char initial_letter) {
  GenerationRequest request;
  if (options.automatic) {
    request = SuggestedRequest(chapter);
  } else {
    request.GenerationLevel = options.level;
    request.ValidationLevel = options.validation;
    request.Structural = options.structural;
    request.Statistical = options.statistical;
    request.Prefixes = options.prefixes;
    request.Suffixes = options.suffixes;
  }
  request.InitialLetter = initial_letter;
  return request;
}

}  // namespace qorv
