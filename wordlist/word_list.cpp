#include "wordlist/word_list.h"

#include "chapter/names_list.h"

namespace qorv {
namespace {

std::string_view TrimmedAscii(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t\f\v");
  if (begin == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(" \t\f\v");
  return text.substr(begin, end - begin + 1);
}

// What of an overlong line is decoded for its note (more than a note quotes).
constexpr std::size_t kQuotedLineBytes = 400;

}  // namespace

WordListReader::WordListReader(std::string_view bytes, const LetterMapper& mapper,
                               WordListOptions options)
    : lines_(bytes), mapper_(mapper), options_(options) {}

std::string WordListReader::Key(std::string name) {
  NormaliseName(name);
  return name;
}

bool WordListReader::Next(WordListEntry& entry) {
  TextLine line;
  while (lines_.Next(line)) {
    const std::string_view bytes = TrimmedAscii(line.Text);
    if (bytes.empty() || bytes[0] == '#') continue;
    entry = WordListEntry{};
    entry.Line = line.Number;
    Read(TextLine{line.Number, bytes, line.Ended}, entry);
    if (entry.Kind == WordKind::kSkipped && entry.Problem == NameProblem::kEmpty) continue;
    return true;
  }
  return false;
}

void WordListReader::Read(const TextLine& line, WordListEntry& entry) {
  const auto skip = [&entry](NameProblem problem) {
    entry.Kind = WordKind::kSkipped;
    entry.Problem = problem;
  };
  if (line.Text.size() > kMaxNameLineBytes) {
    // Only the start is decoded, cut before a character: enough to quote the line.
    std::size_t cut = kQuotedLineBytes;
    while (cut > 0 && (static_cast<unsigned char>(line.Text[cut]) & 0xC0) == 0x80) --cut;
    entry.Written = DecodeLine(line.Text.substr(0, cut), options_.Encoding).Utf8;
    return skip(NameProblem::kTooLong);
  }
  DecodedLine decoded = DecodeLine(line.Text, options_.Encoding);
  if (decoded.IllFormedByte != std::string_view::npos) {
    entry.Byte = decoded.IllFormedByte;
    entry.Character = static_cast<unsigned char>(line.Text[decoded.IllFormedByte]);
    return skip(NameProblem::kNotUtf8);
  }
  entry.ReadAsCp1252 = decoded.ReadAsCp1252;
  entry.Written = std::move(decoded.Utf8);
  MappedName mapped = mapper_.MapName(entry.Written, options_.JoinWords);
  if (mapped.Problem != NameProblem::kNone) {
    entry.Character = mapped.Character;
    return skip(mapped.Problem);
  }
  std::string key = Key(mapped.Name);
  if (const auto first = first_lines_.find(key); first != first_lines_.end()) {
    entry.Kind = WordKind::kMerged;
    entry.FirstLine = first->second;
    return;
  }
  if (first_lines_.size() < kRememberedNames) first_lines_.emplace(std::move(key), line.Number);
  entry.Kind = WordKind::kName;
  entry.Name = std::move(mapped.Name);
  entry.Reductions = std::move(mapped.Reductions);
  entry.Joined = mapped.Joined;
}

std::size_t CountNameLines(std::string_view bytes) {
  LineCursor lines(bytes);
  TextLine line;
  std::size_t count = 0;
  while (lines.Next(line)) {
    const std::string_view text = TrimmedAscii(line.Text);
    count += !text.empty() && text[0] != '#';
  }
  return count;
}

WordList ReadWordList(std::string_view bytes, const LetterMapper& mapper, WordListOptions options) {
  WordList list;
  WordListReader reader(bytes, mapper, options);
  WordListEntry entry;
  while (reader.Next(entry)) {
    if (entry.ReadAsCp1252) list.Cp1252Lines.push_back(entry.Line);
    switch (entry.Kind) {
      case WordKind::kName:
        list.Names.push_back(std::move(entry));
        break;
      case WordKind::kSkipped:
        list.Skipped.push_back(std::move(entry));
        break;
      case WordKind::kMerged:
        list.Merged.push_back(std::move(entry));
        break;
    }
  }
  return list;
}

}  // namespace qorv
