#include <algorithm>
#include <string>
#include <utility>

#include "chapter/limits.h"
#include "chapter/option_tags.h"
#include "lexicon/loaded_chapter.h"
#include "quorvane/lexicon.h"
#include "text/encoding.h"
#include "wordlist/chapter_fitting.h"
#include "wordlist/chapter_text.h"
#include "wordlist/letter_mapping.h"
#include "wordlist/text_input.h"
#include "wordlist/word_list.h"

namespace quorvane {
namespace {

// One header value in Windows-1252, each character reduced as `qorv chapter new` reduces it.
Result<void> HeaderValue(const qorv::LetterMapper& mapper, const char* field,
                         const std::string& utf8, std::size_t limit, bool option_tag,
                         std::string& value) {
  if (!qorv::IsWellFormedUtf8(utf8)) return Error{std::string(field) + " is not UTF-8"};
  qorv::MappedText mapped = mapper.MapText(utf8);
  if (!mapped.Unmapped.empty()) {
    return Error{std::string(field) + ": " + qorv::CodePointLabel(mapped.Unmapped.front()) +
                 " has no Windows-1252 form"};
  }
  if (std::string why = qorv::TagValueProblem(mapped.Text, limit, option_tag); !why.empty()) {
    return Error{std::string(field) + ": the value " + why};
  }
  value = std::move(mapped.Text);
  return {};
}

Result<qorv::ChapterHeader> MakeHeader(const qorv::LetterMapper& mapper,
                                       const ChapterDetails& details) {
  qorv::ChapterHeader header;
  struct Field {
    const char* name;
    const std::string& given;
    std::size_t limit;
    bool option_tag;
    std::string& value;
  };
  for (const Field& field :
       {Field{"title", details.title, qorv::kHeaderTagLimit, false, header.Title},
        Field{"line1", details.line1, qorv::kHeaderTagLimit, false, header.Line1},
        Field{"line2", details.line2, qorv::kHeaderTagLimit, false, header.Line2},
        Field{"date", details.date, qorv::kHeaderTagLimit, false, header.Date},
        Field{"options", details.options, qorv::kOptionTagLimit, true, header.Options},
        Field{"special_consonants", details.special_consonants, qorv::kOptionTagLimit, true,
              header.SpecialConsonants}}) {
    if (Result<void> value = HeaderValue(mapper, field.name, field.given, field.limit,
                                         field.option_tag, field.value);
        !value) {
      return value.error();
    }
  }
  if (const qorv::SpecialConsonantList list =
          qorv::ParseSpecialConsonants(header.SpecialConsonants);
      !list.Message.empty()) {
    return Error{"special_consonants: " + qorv::Cp1252ToUtf8(list.Message)};
  }
  header.SpecialVowels = details.multi ? "MULTI" : "";
  header.Comment = "Made from names by the Quorvane Lexicon library";
  return header;
}

const char* SkippedWhy(qorv::NameProblem problem) {
  switch (problem) {
    case qorv::NameProblem::kSpace:
      return "a name holds no spaces (join_words joins the words with hyphens)";
    case qorv::NameProblem::kDigit:
      return "a name holds no digits";
    case qorv::NameProblem::kEmpty:
      return "the name is empty";
    case qorv::NameProblem::kCommentMark:
      return "a name does not start as a comment does (\";\" or \"//\")";
    case qorv::NameProblem::kTab:
      return "a name holds no tabs";
    case qorv::NameProblem::kTooLong:
      return "longer than any seed name can be";
    case qorv::NameProblem::kNotUtf8:
    case qorv::NameProblem::kNone:
    case qorv::NameProblem::kNoLetter:
      break;
  }
  return "it holds a character that is no letter a Chapter can hold";
}

const char* LeftOutWhy(qorv::LeftOutReason reason) {
  switch (reason) {
    case qorv::LeftOutReason::kTooManyElements:
      return "a seed name has at most 31 elements";
    case qorv::LeftOutReason::kSingleElement:
      return "a seed name needs at least two elements (groups of vowels and of consonants)";
    case qorv::LeftOutReason::kVowelTableFull:
      return "it would bring the different vowel elements past 255";
    case qorv::LeftOutReason::kConsonantTableFull:
      return "it would bring the different consonant elements past 255";
    case qorv::LeftOutReason::kTooManyNames:
      return "a Chapter holds at most 1000 names";
    case qorv::LeftOutReason::kFileTooLarge:
      break;
  }
  return "the Chapter file would grow past 32768 bytes";
}

}  // namespace

Result<Lexicon> Lexicon::FromNames(const std::vector<std::string>& names,
                                   const ChapterDetails& details) {
  std::string icu_error;
  const std::unique_ptr<qorv::LetterMapper> mapper = qorv::LetterMapper::Create(icu_error);
  if (!mapper) return Error{icu_error};
  Result<qorv::ChapterHeader> header = MakeHeader(*mapper, details);
  if (!header) return header.error();

  // The names as the lines of a word list, so that each is read exactly as `qorv chapter new`
  // reads a line: line k is the name of index k - 1.
  std::string list_text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].find_first_of("\r\n") != std::string::npos) {
      return Error{"name #" + std::to_string(i + 1) + " holds a line break"};
    }
    if (!qorv::IsWellFormedUtf8(names[i])) {
      return Error{"name #" + std::to_string(i + 1) + " is not UTF-8"};
    }
    // A line starting with '#' would be a comment of the list; a name cannot begin so anyway.
    list_text += names[i].starts_with('#') ? std::string(" ") + names[i] : names[i];
    list_text += '\n';
  }
  qorv::WordListOptions reading;
  reading.JoinWords = details.join_words;
  const qorv::WordList list = qorv::ReadWordList(list_text, *mapper, reading);
  std::vector<std::string> kept_names;
  for (const qorv::WordListEntry& name : list.Names) kept_names.push_back(name.Name);
  const qorv::FittedChapter fitted = qorv::FitChapter(*header, kept_names);

  std::vector<NameNote> notes;
  const auto index = [](int line) { return static_cast<std::size_t>(line - 1); };
  for (const qorv::WordListEntry& name : list.Names) {
    if (name.Reductions.empty() && !name.Joined) continue;
    notes.push_back({index(name.Line), NameNote::Kind::kRewritten,
                     "written as " + qorv::Cp1252ToUtf8(name.Name)});
  }
  for (const qorv::WordListEntry& word : list.Skipped) {
    notes.push_back({index(word.Line), NameNote::Kind::kSkipped, SkippedWhy(word.Problem)});
  }
  for (const qorv::WordListEntry& word : list.Merged) {
    notes.push_back({index(word.Line), NameNote::Kind::kMerged,
                     "the same name as name #" + std::to_string(word.FirstLine)});
  }
  for (const qorv::LeftOutName& left : fitted.LeftOut) {
    notes.push_back(
        {index(list.Names[left.Index].Line), NameNote::Kind::kLeftOut, LeftOutWhy(left.Reason)});
  }
  std::stable_sort(notes.begin(), notes.end(),
                   [](const NameNote& a, const NameNote& b) { return a.index < b.index; });

  if (fitted.Kept.empty()) return Error{"no name left to make a Chapter of"};
  if (!fitted.Load) {
    return Error{"the Chapter would not load (" + qorv::Cp1252ToUtf8(fitted.Load.error().message) +
                 ")"};
  }
  auto loaded = detail::LoadChapterBytes(fitted.Text);
  if (!loaded) return loaded.error();
  (*loaded)->Notes = std::move(notes);
  return Lexicon(std::move(*loaded));
}

}  // namespace quorvane
