#include "wordlist/chapter_text.h"

namespace qorv {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kNamesIndent = "      ";  // under the first name, after "NAMES "

// C0 controls, DEL, and the five bytes Windows-1252 leaves undefined (read as C1 controls).
bool IsControl(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

void AppendTag(std::string& text, std::string_view tag, std::string_view value) {
  text.append(tag).append(" \"").append(value).append("\";").append(kLineEnd);
}

}  // namespace

const std::vector<std::string_view> kChapterTagNames = {"TITLE",  "LINE1",  "LINE2",  "DATE",
                                                        "SPCCON", "SPCVOW", "GENOPT", "NAMES"};

std::string TagValueProblem(std::string_view value, std::size_t limit, bool option_tag) {
  if (value.size() > limit) {
    return "is longer than " + std::to_string(limit) + " characters";
  }
  for (char byte : value) {
    if (IsControl(byte)) return "holds a line break or another control character";
  }
  if (value.find("\";") != std::string_view::npos) {
    return "holds \"; which would end the value";
  }
  for (std::string_view tag : kChapterTagNames) {
    if (value.find(tag) != std::string_view::npos) {
      return "holds the tag name " + std::string(tag) + " (the first " + std::string(tag) +
             " anywhere in the file is taken as the tag)";
    }
  }
  if (option_tag && value.find("//") != std::string_view::npos) {
    return "holds // which would start a comment";
  }
  return {};
}

std::string FormatChapter(const ChapterHeader& header, const std::vector<std::string>& names,
                          std::size_t count) {
  std::string text;
  AppendTag(text, "TITLE", header.Title);
  AppendTag(text, "LINE1", header.Line1);
  AppendTag(text, "LINE2", header.Line2);
  AppendTag(text, "DATE", header.Date);
  AppendTag(text, "SPCCON", header.SpecialConsonants);
  AppendTag(text, "SPCVOW", header.SpecialVowels);
  AppendTag(text, "GENOPT", header.Options);

  // After the tags, so that a tag name in the comment is never taken for the tag itself; without
  // commas, so that the Chapter list's estimate (commas after the first NAMES) stays exact.
  text += "// ";
  for (char byte : header.Comment) text += (IsControl(byte) || byte == ',') ? ' ' : byte;
  text += kLineEnd;

  text += "NAMES ";
  std::size_t column = 6;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view name = names[i];
    // "name", or "name"; for the last one.
    const std::size_t width = name.size() + 3;
    if (i > 0) {
      if (column + 1 + width > kNamesLineWidth) {
        text.append(kLineEnd).append(kNamesIndent);
        column = kNamesIndent.size();
      } else {
        text += ' ';
        ++column;
      }
    }
    text.append("\"").append(name).append(i + 1 == count ? "\";" : "\",");
    column += width;
  }
  if (count == 0) text += "\"\";";
  text += kLineEnd;
  return text;
}

}  // namespace qorv
