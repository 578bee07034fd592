// libFuzzer target for the word-list side of `qorv chapter new` and `qorv chapter convert`: the
// first byte of an input chooses the command and its options, the rest is the file given.
//
// First byte: bit 7 convert (else new); for new, bit 0 --join-words, bits 1-2 the input encoding
// (per line, utf-8, cp1252, per line), bits 3-4 --pick (first, spread, random, first), bit 5
// --multi, bit 6 the special consonants "<TH><NG>" with SOFT.
//
// new: the list is read, picked and fitted as the command does it (MakeListChapter), and then
//   - every line that is neither blank nor a comment is accounted for exactly once: kept,
//     skipped, merged or left out;
//   - at most 1000 names are kept, their Chapter holds them all, is at most 32768 bytes and
//     loads with the loader, and no two of its names are the same once upper-cased;
//   - every name read is made of Chapter letters only, and a skipped line has its reason.
// convert: the decoded text is converted; the result has CR LF line ends only and as many lines.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/limits.h"
#include "chapter/loader.h"
#include "chapter/names_list.h"
#include "chapter/tag_reader.h"
#include "fuzz/require.h"
#include "wordlist/chapter_conversion.h"
#include "wordlist/chapter_from_list.h"

namespace qorv::fuzz {
namespace {

const LetterMapper& Mapper() {
  static const std::unique_ptr<LetterMapper> mapper = [] {
    std::string error;
    std::unique_ptr<LetterMapper> created = LetterMapper::Create(error);
    Require(created != nullptr, "ICU builds its transliterator");
    return created;
  }();
  return *mapper;
}

class Tally : public ListObserver {
 public:
  void Read(const WordListEntry& entry) override {
    ++read;
    if (entry.Kind == WordKind::kName) {
      for (char c : entry.Name) {
        Require(c != '"' && c != ',' && !(c >= '0' && c <= '9'), "a name holds letters only");
      }
      Require(!entry.Name.empty(), "a name read is not empty");
    }
    if (entry.Kind == WordKind::kSkipped) {
      Require(entry.Problem != NameProblem::kNone && entry.Problem != NameProblem::kEmpty,
              "a skipped line has its reason");
    }
  }
  void Merged(const WordListEntry&) override {}
  void LeftOut(const WordListEntry&, LeftOutReason reason) override {
    Require(reason != LeftOutReason::kTooManyNames && reason != LeftOutReason::kFileTooLarge,
            "the names cut off at the end are told as a run");
  }
  void LeftOutFrom(std::size_t count, const WordListEntry&, LeftOutReason) override {
    Require(count > 0, "a run of names left out is not empty");
  }
  void NotPicked(std::size_t count, PickMode mode) override {
    Require(count > 0 && mode != PickMode::kFirst, "only spread and random leave names unpicked");
  }

  std::size_t read = 0;
};

void CheckNew(std::uint8_t options, std::string_view bytes) {
  ListOptions list;
  list.Reading.JoinWords = (options & 1) != 0;
  const InputEncoding encodings[] = {InputEncoding::kPerLine, InputEncoding::kUtf8,
                                     InputEncoding::kCp1252, InputEncoding::kPerLine};
  list.Reading.Encoding = encodings[(options >> 1) & 3];
  const PickMode picks[] = {PickMode::kFirst, PickMode::kSpread, PickMode::kRandom,
                            PickMode::kFirst};
  list.Pick = picks[(options >> 3) & 3];
  list.Seed = bytes.size();
  ChapterHeader header{"Fuzz", "", "", "2026", "", "", "STATGEN FIT:1 VAL:1", "fuzz"};
  if (options & 0x20) header.SpecialVowels = "MULTI";
  if (options & 0x40) header.SpecialConsonants = "<TH> <NG> SOFT";

  if (!RefusedAsText(bytes).empty()) return;
  Tally tally;
  const ListChapter made = MakeListChapter(bytes, Mapper(), header, list, tally);
  Require(made.Kept + made.Skipped + made.Merged + made.LeftOut == tally.read,
          "every line is kept, skipped, merged or left out");
  Require(made.Kept == made.Fitted.Kept.size() && made.Kept <= kMaxNames,
          "at most 1000 names are kept");
  if (made.Kept == 0) return;
  Require(made.Fitted.Load.has_value(), "the Chapter of the names kept loads");
  Require(made.Fitted.Text.size() <= kMaxFileBytes, "the Chapter fits 32768 bytes");

  std::string text = made.Fitted.Text;
  BlankComments(text);
  NamesListReader reader(text);
  std::set<std::string> names;
  std::string name;
  while (reader.Next(name) == NamesListReader::Step::kName) {
    NormaliseName(name);
    Require(names.insert(name).second, "no name is written twice");
  }
  Require(names.size() == made.Kept, "the Chapter holds the names kept");
}

void CheckConvert(std::string_view bytes) {
  const DecodedText decoded = DecodeText(bytes);
  if (!decoded.Error.empty()) return;
  const ConvertedChapter converted = ConvertChapter(decoded, Mapper());
  const std::string& text = converted.Text;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') Require(i > 0 && text[i - 1] == '\r', "every LF follows a CR");
    if (text[i] == '\r')
      Require(i + 1 < text.size() && text[i + 1] == '\n', "every CR ends a line");
  }
  Require(SplitLines(text).size() == SplitLines(decoded.Utf8).size(),
          "the conversion keeps every line");
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapterFromBytes(chapter, text, EstimateNameCountInText(text), client);
}

}  // namespace
}  // namespace qorv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 0x80) {
    qorv::fuzz::CheckConvert(bytes);
  } else {
    qorv::fuzz::CheckNew(data[0], bytes);
  }
  return 0;
}
