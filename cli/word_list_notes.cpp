#include "cli/word_list_notes.h"

#include <cstdio>

#include "text/encoding.h"

namespace qorv {
namespace {

const char* SkipWhy(const WordListEntry& entry) {
  switch (entry.Problem) {
    case NameProblem::kSpace:
      return "a name holds no spaces (--join-words joins the words with hyphens)";
    case NameProblem::kTab:
      return "a name holds no tabs (one name a line, not columns)";
    case NameProblem::kDigit:
      return "a name holds no digits";
    case NameProblem::kCommentMark:
      return "a comment line starts with \"#\"";
    case NameProblem::kTooLong:
      return "a line of more than 4096 bytes is no name";
    default:
      return "";
  }
}

const char* LeftOutWhy(LeftOutReason reason) {
  switch (reason) {
    case LeftOutReason::kTooManyElements:
      return "a seed name has at most 31 elements";
    case LeftOutReason::kSingleElement:
      return "a seed name needs at least two elements (groups of vowels and of consonants)";
    case LeftOutReason::kVowelTableFull:
      return "it would bring the different vowel elements past 255, the most a Chapter holds";
    case LeftOutReason::kConsonantTableFull:
      return "it would bring the different consonant elements past 255, the most a Chapter "
             "holds";
    case LeftOutReason::kTooManyNames:
      return "a Chapter holds at most 1000 names";
    case LeftOutReason::kFileTooLarge:
      return "the Chapter file would grow past 32768 bytes";
  }
  return "";
}

}  // namespace

std::string QuotedLine(std::string_view utf8) {
  std::size_t at = 0;
  for (std::size_t characters = 0; at < utf8.size() && characters < kQuotedCharacters;
       ++characters) {
    const std::optional<Utf8Char> c = DecodeUtf8Char(utf8.substr(at));
    at += c ? c->length : 1;
  }
  return "\"" + std::string(utf8.substr(0, at)) + (at < utf8.size() ? "...\"" : "\"");
}

std::string CharacterLabel(char32_t c) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
  if (c < 0x20 || c == 0x7F) return code;
  std::string text = "\"";
  AppendUtf8(c, text);
  return text + "\" (" + code + ")";
}

WordListNotes::WordListNotes(std::string label, std::ostream& err, bool quiet)
    : label_(std::move(label)), err_(err), quiet_(quiet) {}

std::ostream* WordListNotes::Note(Kind kind, int line) {
  if (quiet_ || counts_[kind]++ >= kNotesOfAKind) return nullptr;
  err_ << "qorv: " << label_ << ": ";
  if (line > 0) err_ << "line " << line << ": ";
  return &err_;
}

void WordListNotes::Read(const WordListEntry& entry) {
  if (entry.ReadAsCp1252) {
    if (std::ostream* note = Note(kEncoding, entry.Line)) {
      *note << "not UTF-8; read as Windows-1252\n";
    }
  }
  switch (entry.Kind) {
    case WordKind::kName:
      if (entry.Reductions.empty() && !entry.Joined) return;
      if (std::ostream* note = Note(kWritten, entry.Line)) {
        *note << QuotedLine(entry.Written) << " written as " << QuotedLine(Cp1252ToUtf8(entry.Name))
              << "\n";
      }
      return;
    case WordKind::kMerged:
      return Merged(entry);
    case WordKind::kSkipped:
      break;
  }
  std::ostream* note = Note(kSkipped, entry.Line);
  if (!note) return;
  if (entry.Problem == NameProblem::kNotUtf8) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned>(entry.Character));
    *note << "skipped: byte " << entry.Byte + 1 << " (" << byte << ") is not UTF-8\n";
    return;
  }
  *note << QuotedLine(entry.Written) << " skipped: ";
  if (entry.Problem == NameProblem::kNoLetter) {
    *note << CharacterLabel(entry.Character) << " is no letter a Chapter can hold\n";
  } else {
    *note << SkipWhy(entry) << "\n";
  }
}

void WordListNotes::Merged(const WordListEntry& entry) {
  if (std::ostream* note = Note(kMerged, entry.Line)) {
    *note << QuotedLine(entry.Written) << " merged: the same name as line " << entry.FirstLine
          << "\n";
  }
}

void WordListNotes::LeftOut(const WordListEntry& name, LeftOutReason reason) {
  if (std::ostream* note = Note(kLeftOut, name.Line)) {
    *note << QuotedLine(name.Written) << " left out: " << LeftOutWhy(reason) << "\n";
  }
}

void WordListNotes::LeftOutFrom(std::size_t count, const WordListEntry& first,
                                LeftOutReason reason) {
  if (quiet_) return;
  err_ << "qorv: " << label_ << ": " << count << (count == 1 ? " name" : " names")
       << " left out from line " << first.Line << " (" << QuotedLine(first.Written)
       << ") on: " << LeftOutWhy(reason) << "\n";
}

void WordListNotes::NotPicked(std::size_t count, PickMode mode) {
  if (quiet_) return;
  err_ << "qorv: " << label_ << ": " << count << (count == 1 ? " name" : " names")
       << " left out: --pick " << (mode == PickMode::kSpread ? "spread" : "random") << " keeps "
       << kMaxNames << (mode == PickMode::kSpread ? " spread across the list" : " drawn at random")
       << "\n";
}

void WordListNotes::Finish() {
  static const char* const kWhat[kKinds] = {"lines read as Windows-1252",
                                            "names written with other letters", "lines skipped",
                                            "names merged", "names left out"};
  for (int kind = 0; kind < kKinds; ++kind) {
    if (quiet_ || counts_[kind] <= kNotesOfAKind) continue;
    err_ << "qorv: " << label_ << ": " << counts_[kind] - kNotesOfAKind << " more " << kWhat[kind]
         << " (" << kNotesOfAKind << " shown)\n";
  }
}

}  // namespace qorv
