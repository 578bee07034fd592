// The letter mapper of the browser build, which has no Unicode library: a character stands as it
// is when Windows-1252 has it (for a name: when it is also one of the Chapter's letters), and
// anything else is reported, never guessed at. The page reduces letters to their base letters
// itself (String.prototype.normalize) before it hands names over, so what arrives here is either
// a Chapter letter or a character no Chapter can hold.
#include <algorithm>
#include <string>

#include "chapter/letters.h"
#include "text/encoding.h"
#include "wordlist/letter_mapping.h"
#include "wordlist/name_words.h"

namespace qorv {
namespace {

bool IsNameLetter(char byte) {
  if (byte >= '0' && byte <= '9') return false;
  return LetterIndex(AccentUpper(AsciiUpper(byte))) >= 0;
}

// The white space of Unicode, as a word list may hold it between words.
bool IsSpace(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

// The code points of well-formed UTF-8 (the callers hand nothing else over).
std::vector<char32_t> CodePoints(std::string_view utf8) {
  std::vector<char32_t> out;
  while (!utf8.empty()) {
    const std::optional<Utf8Char> c = DecodeUtf8Char(utf8);
    if (!c) break;
    out.push_back(c->code_point);
    utf8.remove_prefix(c->length);
  }
  return out;
}

}  // namespace

struct LetterMapper::Icu {};

std::unique_ptr<LetterMapper> LetterMapper::Create(std::string&) {
  return std::unique_ptr<LetterMapper>(new LetterMapper(std::make_unique<Icu>()));
}

LetterMapper::LetterMapper(std::unique_ptr<Icu> icu) : icu_(std::move(icu)) {}

LetterMapper::~LetterMapper() = default;

MappedName LetterMapper::MapName(std::string_view utf8, bool join_words) const {
  MappedName result;
  std::vector<char32_t> text = TrimmedName(CodePoints(utf8), IsSpace);
  const auto fail = [&result](NameProblem problem, char32_t c) {
    result.Problem = problem;
    result.Character = c;
    return result;
  };
  if (text.empty()) return fail(NameProblem::kEmpty, 0);
  if (const NameShape shape = NameShapeProblem(text); shape.Problem != NameProblem::kNone) {
    return fail(shape.Problem, shape.Character);
  }
  const auto space_at = std::find_if(text.begin(), text.end(), IsSpace);
  const char32_t space = space_at == text.end() ? 0 : *space_at;
  if (space != 0) text = JoinNameWords(text, IsSpace);
  for (char32_t c : text) {
    const std::optional<char> byte = CodePointToCp1252(c);
    if (byte && IsNameLetter(*byte)) {
      result.Name += *byte;
    } else {
      result.Name.clear();
      return fail(c >= U'0' && c <= U'9' ? NameProblem::kDigit : NameProblem::kNoLetter, c);
    }
  }
  if (space != 0 && !join_words) {
    result.Name.clear();
    return fail(NameProblem::kSpace, space);
  }
  result.Joined = space != 0;
  return result;
}

MappedText LetterMapper::MapText(std::string_view utf8) const {
  MappedText result;
  for (char32_t c : CodePoints(utf8)) {
    const std::optional<char> byte = CodePointToCp1252(c);
    result.Text += byte ? *byte : '?';
    if (!byte) result.Unmapped.push_back(c);
  }
  return result;
}

std::string LetterMapper::TitleCase(std::string_view utf8) {
  std::string out(utf8);
  bool word_start = true;
  for (char& c : out) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (letter) c = static_cast<char>(word_start ? AsciiUpper(c) : (c | 0x20));
    word_start = !letter && c != '\'';
  }
  return out;
}

}  // namespace qorv
