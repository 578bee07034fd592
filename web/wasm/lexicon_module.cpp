// The Lexicon for the web page: the public library's Lexicon, Options and Generator, and the
// Store's own lines, bound to JavaScript. The page holds one Chapter at a time.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chapter/letters.h"
#include "generator/name_filters.h"
#include "generator/retry_until_name.h"
#include "quorvane/lexicon.h"
#include "store/store_file.h"
#include "text/encoding.h"
#include "wordlist/default_options.h"
#include "wordlist/text_input.h"

namespace {

using emscripten::val;

std::optional<quorvane::Lexicon>& Current() {
  static std::optional<quorvane::Lexicon> current;
  return current;
}

// "" when the Chapter file's bytes loaded, else the loader's message.
std::string LoadChapter(const std::string& bytes) {
  quorvane::Result<quorvane::Lexicon> loaded = quorvane::Lexicon::Load(bytes);
  if (!loaded) return loaded.error().message;
  Current() = std::move(*loaded);
  return "";
}

// A Chapter made from seed names (UTF-8, already reduced to letters Windows-1252 has); "" when
// it was made, else why not. `details`: title, line1, date, options, joinWords.
std::string ChapterFromNames(val names, val details) {
  quorvane::ChapterDetails header;
  header.title = details["title"].as<std::string>();
  header.line1 = details["line1"].as<std::string>();
  header.date = details["date"].as<std::string>();
  header.options = details["options"].as<std::string>();
  header.join_words = details["joinWords"].as<bool>();
  quorvane::Result<quorvane::Lexicon> made =
      quorvane::Lexicon::FromNames(emscripten::vecFromJSArray<std::string>(names), header);
  if (!made) return made.error().message;
  Current() = std::move(*made);
  return "";
}

val Strings(const std::vector<std::string>& texts) {
  val out = val::array();
  for (const std::string& text : texts) out.call<void>("push", text);
  return out;
}

const char* NoteKind(quorvane::NameNote::Kind kind) {
  switch (kind) {
    case quorvane::NameNote::Kind::kSkipped:
      return "skipped";
    case quorvane::NameNote::Kind::kMerged:
      return "merged";
    case quorvane::NameNote::Kind::kLeftOut:
      return "left out";
    case quorvane::NameNote::Kind::kRewritten:
      break;
  }
  return "rewritten";
}

// What the page shows of the current Chapter, with the notes of a Chapter made from names.
val ChapterInfo() {
  const quorvane::Lexicon& lexicon = *Current();
  val info = val::object();
  info.set("title", lexicon.Title());
  info.set("line1", lexicon.Line1());
  info.set("line2", lexicon.Line2());
  info.set("date", lexicon.Date());
  info.set("names", lexicon.NameCount());
  info.set("vowels", lexicon.VowelElementCount());
  info.set("consonants", lexicon.ConsonantElementCount());
  info.set("maxElements", lexicon.MaxElementsPerName());
  info.set("initials", Strings(lexicon.PossibleInitialLetters()));
  info.set("text", lexicon.Text());
  val notes = val::array();
  for (const quorvane::NameNote& note : lexicon.Notes()) {
    val one = val::object();
    one.set("index", static_cast<int>(note.index));
    one.set("kind", NoteKind(note.kind));
    one.set("text", note.text);
    notes.call<void>("push", one);
  }
  info.set("notes", notes);
  return info;
}

std::optional<std::uint32_t> Length(const val& value) {
  if (value.isNull() || value.isUndefined()) return std::nullopt;
  return value.as<std::uint32_t>();
}

quorvane::Options OptionsOf(const val& given) {
  quorvane::Options options;
  options.level = given["level"].as<int>();
  options.validation = given["validation"].as<int>();
  options.structural = given["structural"].as<bool>();
  options.statistical = given["statistical"].as<bool>();
  options.prefixes = given["prefixes"].as<bool>();
  options.suffixes = given["suffixes"].as<bool>();
  options.automatic = given["automatic"].as<bool>();
  options.initial = given["initial"].as<std::string>();
  options.unique = given["unique"].as<bool>();
  options.novel = given["novel"].as<bool>();
  options.min_length = Length(given["minLength"]);
  options.max_length = Length(given["maxLength"]);
  options.starts_with = given["startsWith"].as<std::string>();
  options.ends_with = given["endsWith"].as<std::string>();
  options.contains = given["contains"].as<std::string>();
  options.exclude = emscripten::vecFromJSArray<std::string>(given["exclude"]);
  return options;
}

// The filters as `qorv generate` names them in its message.
std::string FiltersDescribed(const quorvane::Options& options) {
  qorv::NameFilterOptions filters;
  filters.unique = options.unique;
  filters.novel = options.novel;
  filters.min_length = options.min_length;
  filters.max_length = options.max_length;
  const auto cp1252 = [](const std::string& text) { return qorv::Utf8ToCp1252(text).value_or(""); };
  filters.starts_with = cp1252(options.starts_with);
  filters.ends_with = cp1252(options.ends_with);
  filters.contains = cp1252(options.contains);
  for (const std::string& text : options.exclude) filters.excludes.push_back(cp1252(text));
  return filters.Any() ? " with " + qorv::Cp1252ToUtf8(filters.Describe()) : "";
}

// `count` names seeded with `seed`, as `qorv generate --seed` prints them: {names} (one a line)
// and {error} when the options are refused or the names ran out before `count`.
val Generate(val given, std::uint32_t seed, std::uint32_t count) {
  val result = val::object();
  const quorvane::Options options = OptionsOf(given);
  if (quorvane::Result<void> usable = quorvane::CheckOptions(*Current(), options); !usable) {
    result.set("names", std::string());
    result.set("error", usable.error().message);
    return result;
  }
  quorvane::Generator generator(*Current(), options, seed);
  std::string names;
  std::string error;
  for (std::uint32_t made = 0; made < count; ++made) {
    const std::optional<std::string> name = generator.Next();
    if (!name) {
      error = "no new name found after " + std::to_string(qorv::kMaxCallsPerName) + " attempts" +
              FiltersDescribed(options);
      break;
    }
    names += *name;
    names += '\n';
  }
  if (!names.empty()) names.pop_back();
  result.set("names", names);
  result.set("error", error);
  return result;
}

// The GENOPT `qorv chapter new` gives a list of this many name lines.
std::string DefaultOptions(int name_lines) {
  return qorv::DefaultGenOpt(static_cast<std::size_t>(name_lines));
}

// Why a word list's bytes are no text (a NUL byte, UTF-16), or "" when they may be.
std::string RefusedAsText(const std::string& bytes) {
  std::string_view text(bytes);
  return qorv::RefusedAsText(text);
}

// The letters a seed name may hold, as a string of UTF-8 characters.
std::string NameLetters() {
  std::string letters;
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    const char c = static_cast<char>(byte);
    if ((c < '0' || c > '9') && qorv::LetterIndex(qorv::AccentUpper(qorv::AsciiUpper(c))) >= 0) {
      letters += c;
    }
  }
  return qorv::Cp1252ToUtf8(letters);
}

// A whole Store file: its header, then every run (title, date and time [y, m, d, h, min, s],
// names) under its dated title line. Windows-1252 bytes, CR LF.
val StoreBytes(val runs, bool trailing_line) {
  std::string bytes(qorv::kStoreHeader);
  const auto cp1252 = [](const std::string& text) {
    return qorv::Utf8ToCp1252(text).value_or(text);
  };
  for (const val& run : emscripten::vecFromJSArray<val>(runs)) {
    const std::vector<int> when = emscripten::vecFromJSArray<int>(run["when"]);
    if (when.size() != 6) continue;
    const qorv::StoreDateTime stamp{when[0], when[1], when[2], when[3], when[4], when[5]};
    bytes += qorv::StoreTitleLine(cp1252(run["title"].as<std::string>()), stamp);
    for (const std::string& name : emscripten::vecFromJSArray<std::string>(run["names"])) {
      bytes += qorv::StoreNameLine(cp1252(name), trailing_line);
    }
  }
  return val::global("Uint8Array")
      .call<val>("from", val(emscripten::typed_memory_view(
                             bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()))));
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorvane_lexicon) {
  emscripten::function("loadChapter", &LoadChapter);
  emscripten::function("chapterFromNames", &ChapterFromNames);
  emscripten::function("chapterInfo", &ChapterInfo);
  emscripten::function("generate", &Generate);
  emscripten::function("defaultOptions", &DefaultOptions);
  emscripten::function("storeBytes", &StoreBytes);
  emscripten::function("refusedAsText", &RefusedAsText);
  emscripten::function("nameLetters", &NameLetters);
}
