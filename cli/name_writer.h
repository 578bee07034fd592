// The names `qorv generate` prints, in one of three forms:
//   text  one name per line;
//   json  one JSON object per line: {"name":..., "attempts":..., "structure_class":...,
//         "length_pattern":..., "typicality":..., "nearest_seed":..., "edit_distance":...}, the
//         class and pattern only when known, the last three when the name was scored
//         (typicality: bits per letter, two decimals);
//   csv   a header row "name,attempts,structure_class,length_pattern", then one row per name
//         (fields quoted when they hold a comma, a quote or a line break).
// Names arrive in Windows-1252; text and csv are written in the chosen encoding, JSON always in
// UTF-8.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace qorv {

struct NameScore;
struct NameExplanation;

enum class NameFormat { kText, kJson, kCsv };

// One printed name and what is known of how it was made.
struct NameRecord {
  const std::string& Name;                     // Windows-1252
  long long Attempts = 0;                      // the generator's attempts for this name
  int StructureClass = -1;                     // -1: not known
  const std::string* LengthPattern = nullptr;  // nullptr: the name kept to no pattern
  const NameScore* Score = nullptr;            // nullptr: not scored
  // --explain: text lines after the name, or the object "explanation" of its JSON line.
  const NameExplanation* Explanation = nullptr;
};

class NameWriter {
 public:
  NameWriter(std::ostream& out, NameFormat format, bool utf8);

  // The csv header row; nothing for the other forms.
  void Begin();
  void Write(const NameRecord& record);

 private:
  std::string Text(const std::string& cp1252) const;

  std::ostream& out_;
  NameFormat format_;
  bool utf8_;
  std::string line_;  // reused for every name
};

}  // namespace qorv
