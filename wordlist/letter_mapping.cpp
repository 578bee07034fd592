#include "wordlist/letter_mapping.h"

#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "chapter/letters.h"
#include "text/encoding.h"
#include "wordlist/name_words.h"

namespace qorv {
namespace {

// Which characters stand as they are: a predicate on a Windows-1252 byte.
using KeepsByte = std::function<bool(char)>;

bool IsNameLetter(char byte) {
  if (byte >= '0' && byte <= '9') return false;
  return LetterIndex(AccentUpper(AsciiUpper(byte))) >= 0;
}

bool AnyByte(char) {
  return true;
}

std::string ToUtf8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

std::string ToUtf8(char32_t code_point) {
  std::string out;
  AppendUtf8(code_point, out);
  return out;
}

icu::UnicodeString Nfc(std::string_view utf8) {
  const icu::UnicodeString text = icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  const auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  if (std::all_of(utf8.begin(), utf8.end(), ascii)) return text;  // ASCII is in NFC
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) return text;
  icu::UnicodeString normal = nfc->normalize(text, status);
  return U_FAILURE(status) ? text : normal;
}

std::vector<char32_t> CodePoints(const icu::UnicodeString& text) {
  std::vector<char32_t> out;
  for (int32_t i = 0; i < text.length();) {
    const UChar32 c = text.char32At(i);
    out.push_back(static_cast<char32_t>(c));
    i += U16_LENGTH(c);
  }
  return out;
}

// The Windows-1252 form of `text` when every character of it is kept, else nullopt.
std::optional<std::string> Kept(const icu::UnicodeString& text, const KeepsByte& keeps) {
  std::string out;
  for (char32_t c : CodePoints(text)) {
    const std::optional<char> byte = CodePointToCp1252(c);
    if (!byte || !keeps(*byte)) return std::nullopt;
    out += *byte;
  }
  return out;
}

// The base letters of a character: its canonical decomposition without the combining marks.
// Empty when the character does not decompose or has no marks to drop.
icu::UnicodeString BaseLetters(char32_t c) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  icu::UnicodeString decomposed;
  if (U_FAILURE(status) || !nfd->getDecomposition(static_cast<UChar32>(c), decomposed)) return {};
  icu::UnicodeString base;
  bool dropped = false;
  for (char32_t part : CodePoints(decomposed)) {
    if (U_GET_GC_MASK(static_cast<UChar32>(part)) & U_GC_M_MASK) {
      dropped = true;
    } else {
      base.append(static_cast<UChar32>(part));
    }
  }
  return dropped ? base : icu::UnicodeString();
}

// ICU's "Any-Latin; Latin-ASCII" with its results remembered: the transliterator is slow, and a
// long list repeats the same few runs of letters (ł, ı, đ) over and over.
class Latin {
 public:
  explicit Latin(std::unique_ptr<icu::Transliterator> transliterator)
      : transliterator_(std::move(transliterator)) {}

  icu::UnicodeString Of(const icu::UnicodeString& text) {
    const std::u16string key(text.getBuffer(), static_cast<std::size_t>(text.length()));
    if (const auto found = known_.find(key); found != known_.end()) return found->second;
    icu::UnicodeString latin = text;
    transliterator_->transliterate(latin);
    if (known_.size() >= kRemembered) known_.clear();
    known_.emplace(key, latin);
    return latin;
  }

 private:
  static constexpr std::size_t kRemembered = 4096;
  std::unique_ptr<icu::Transliterator> transliterator_;
  std::unordered_map<std::u16string, icu::UnicodeString> known_;
};

// Maps code points one by one, collecting the reductions; a run of characters that neither stand
// as they are nor have a base letter is transliterated as a whole, so that a word of another
// script keeps its context.
class Mapping {
 public:
  Mapping(Latin& latin, KeepsByte keeps) : latin_(latin), keeps_(std::move(keeps)) {}

  void Add(char32_t c) {
    if (const auto byte = CodePointToCp1252(c); byte && keeps_(*byte)) {
      Flush();
      out_ += *byte;
      return;
    }
    if (c < 0x80) {
      // The transliteration leaves ASCII as it is: a sign that is not kept fails on its own.
      Flush();
      out_ += '?';
      failed_.push_back(c);
      return;
    }
    const icu::UnicodeString base = BaseLetters(c);
    if (!base.isEmpty()) {
      if (const auto kept = Kept(base, keeps_)) {
        Flush();
        Reduce(ToUtf8(c), *kept);
        return;
      }
    }
    run_.append(static_cast<UChar32>(c));
  }

  // Ends the text; returns the characters that found no form, in order.
  std::vector<char32_t> Finish() {
    Flush();
    return std::move(failed_);
  }

  std::string& Out() { return out_; }
  std::vector<Reduction>& Reductions() { return reductions_; }

 private:
  void Reduce(std::string from, const std::string& to) {
    out_ += to;
    reductions_.push_back({std::move(from), to});
  }

  std::optional<std::string> Transliterated(const icu::UnicodeString& text) const {
    return Kept(latin_.Of(text), keeps_);
  }

  void Flush() {
    if (run_.isEmpty()) return;
    if (const auto whole = Transliterated(run_)) {
      Reduce(ToUtf8(run_), *whole);
    } else {
      // Character by character, so that one stray sign does not take its neighbours with it.
      for (char32_t c : CodePoints(run_)) {
        if (const auto one = Transliterated(icu::UnicodeString(static_cast<UChar32>(c)))) {
          Reduce(ToUtf8(c), *one);
        } else {
          out_ += '?';
          failed_.push_back(c);
        }
      }
    }
    run_.remove();
  }

  Latin& latin_;
  KeepsByte keeps_;
  std::string out_;
  std::vector<Reduction> reductions_;
  std::vector<char32_t> failed_;
  icu::UnicodeString run_;
};

bool IsSpace(char32_t c) {
  return u_isUWhiteSpace(static_cast<UChar32>(c));
}

}  // namespace

struct LetterMapper::Icu {
  mutable Latin latin;
};

std::unique_ptr<LetterMapper> LetterMapper::Create(std::string& error) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> transliterator(
      icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, status));
  if (U_FAILURE(status) || !transliterator) {
    error = std::string("ICU cannot build its Latin transliteration: ") + u_errorName(status);
    return nullptr;
  }
  return std::unique_ptr<LetterMapper>(
      new LetterMapper(std::make_unique<Icu>(Icu{Latin(std::move(transliterator))})));
}

LetterMapper::LetterMapper(std::unique_ptr<Icu> icu) : icu_(std::move(icu)) {}

LetterMapper::~LetterMapper() = default;

MappedName LetterMapper::MapName(std::string_view utf8, bool join_words) const {
  MappedName result;
  const auto ascii_letter = [](char c) {
    return static_cast<unsigned char>(c) < 0x80 && IsNameLetter(c);
  };
  if (!utf8.empty() && std::all_of(utf8.begin(), utf8.end(), ascii_letter)) {
    result.Name.assign(utf8);  // the common case, which needs no Unicode tables
    return result;
  }
  std::vector<char32_t> text = TrimmedName(CodePoints(Nfc(utf8)), IsSpace);
  if (text.empty()) {
    result.Problem = NameProblem::kEmpty;
    return result;
  }
  const auto fail = [&result](NameProblem problem, char32_t c) {
    result.Problem = problem;
    result.Character = c;
    return result;
  };
  if (const NameShape shape = NameShapeProblem(text); shape.Problem != NameProblem::kNone) {
    return fail(shape.Problem, shape.Character);
  }
  const auto space_at = std::find_if(text.begin(), text.end(), IsSpace);
  const char32_t space = space_at == text.end() ? 0 : *space_at;
  if (space != 0) {
    // Joined for the letters' sake either way, so that a sign between the words is found first.
    text = JoinNameWords(text, IsSpace);
    result.Joined = join_words;
  }

  Mapping mapping(icu_->latin, &IsNameLetter);
  for (char32_t c : text) mapping.Add(c);
  const std::vector<char32_t> failed = mapping.Finish();
  if (!failed.empty()) {
    const char32_t first = failed.front();
    result.Joined = false;
    return fail(
        u_isdigit(static_cast<UChar32>(first)) ? NameProblem::kDigit : NameProblem::kNoLetter,
        first);
  }
  if (space != 0 && !join_words) return fail(NameProblem::kSpace, space);
  if (mapping.Out().empty()) {
    result.Problem = NameProblem::kEmpty;
    return result;
  }
  result.Name = std::move(mapping.Out());
  result.Reductions = std::move(mapping.Reductions());
  return result;
}

MappedText LetterMapper::MapText(std::string_view utf8) const {
  Mapping mapping(icu_->latin, &AnyByte);
  for (char32_t c : CodePoints(Nfc(utf8))) mapping.Add(c);
  MappedText result;
  result.Unmapped = mapping.Finish();
  result.Text = std::move(mapping.Out());
  result.Reductions = std::move(mapping.Reductions());
  return result;
}

std::string LetterMapper::TitleCase(std::string_view utf8) {
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  text.toTitle(nullptr);
  return ToUtf8(text);
}

}  // namespace qorv
