#include "cli/name_writer.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "cli/csv_field.h"
#include "cli/name_explanation.h"
#include "scoring/name_scorer.h"
#include "text/encoding.h"

namespace qorv {

NameWriter::NameWriter(std::ostream& out, NameFormat format, bool utf8)
    : out_(out), format_(format), utf8_(utf8 || format == NameFormat::kJson) {}

std::string NameWriter::Text(const std::string& cp1252) const {
  return utf8_ ? Cp1252ToUtf8(cp1252) : cp1252;
}

void NameWriter::Begin() {
  if (format_ == NameFormat::kCsv) out_ << "name,attempts,structure_class,length_pattern\n";
}

void NameWriter::Write(const NameRecord& record) {
  switch (format_) {
    case NameFormat::kText:
      line_.clear();
      if (utf8_) {
        AppendCp1252AsUtf8(record.Name, line_);
      } else {
        line_ += record.Name;
      }
      break;
    case NameFormat::kJson: {
      nlohmann::ordered_json object;
      object["name"] = Text(record.Name);
      object["attempts"] = record.Attempts;
      if (record.StructureClass >= 0) object["structure_class"] = record.StructureClass;
      if (record.LengthPattern) object["length_pattern"] = Text(*record.LengthPattern);
      if (record.Score) {
        object["typicality"] = std::round(record.Score->BitsPerLetter * 100) / 100;
        object["nearest_seed"] = Text(record.Score->NearestSeed);
        object["edit_distance"] = record.Score->EditDistance;
      }
      if (record.Explanation) object["explanation"] = ExplanationJson(*record.Explanation);
      line_ = object.dump();
      break;
    }
    case NameFormat::kCsv:
      line_.clear();
      AppendCsvField(line_, Text(record.Name));
      line_ += ',' + std::to_string(record.Attempts) + ',';
      if (record.StructureClass >= 0) line_ += std::to_string(record.StructureClass);
      line_ += ',';
      if (record.LengthPattern) AppendCsvField(line_, Text(*record.LengthPattern));
      break;
  }
  line_ += '\n';
  if (record.Explanation && format_ == NameFormat::kText) {
    line_ += ExplanationText(*record.Explanation, utf8_);
  }
  out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
}

}  // namespace qorv
