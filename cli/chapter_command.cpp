#include "cli/chapter_command.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <vector>

#include <CLI/CLI.hpp>

#include "chapter/chapter_file.h"
#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/limits.h"
#include "chapter/loader.h"
#include "chapter/option_tags.h"
#include "cli/chapter_output.h"
#include "cli/chapter_warnings.h"
#include "cli/genopt_words.h"
#include "cli/qorv_app.h"
#include "cli/run_files.h"
#include "cli/word_list_notes.h"
#include "io/file_bytes.h"
#include "io/regular_file.h"
#include "text/encoding.h"
#include "wordlist/chapter_conversion.h"
#include "wordlist/chapter_fitting.h"
#include "wordlist/chapter_from_list.h"
#include "wordlist/chapter_text.h"
#include "wordlist/default_options.h"
#include "wordlist/output_file.h"
#include "wordlist/special_consonant_value.h"
#include "wordlist/text_input.h"
#include "wordlist/word_list.h"

namespace qorv {
namespace {

constexpr std::string_view kStandardInput = "-";

// A refusal of the command line itself, reported as "qorv: WHAT: WHY" with the usage exit code.
struct UsageProblem {
  std::string what;
  std::string why;
};

// The file names as the messages show them.
std::string InputLabel(const std::string& path) {
  return path == kStandardInput ? "standard input" : path;
}

std::string Quoted(std::string_view utf8) {
  return "\"" + std::string(utf8) + "\"";
}

struct Input {
  std::string bytes;
  std::string error;  // strerror text, or why the input is refused
};

Input ReadInput(const std::string& path, std::istream& in) {
  Input input;
  if (path == kStandardInput) {
    // Read in pieces, so that an endless stream stops just past the limit.
    char piece[1 << 16];
    while (input.bytes.size() <= kMaxInputBytes && in.read(piece, sizeof piece).gcount() > 0) {
      input.bytes.append(piece, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) input.error = "cannot be read";
  } else {
    const FileBytes file = ReadFileBytes(path, kMaxInputBytes + 1);
    if (file.Error != 0) {
      input.error = std::strerror(file.Error);
      return input;
    }
    input.bytes = file.Bytes;
  }
  if (input.error.empty() && input.bytes.size() > kMaxInputBytes) {
    input.error = "is larger than " + std::to_string(kMaxInputBytes / (1024 * 1024)) + " MiB";
  }
  return input;
}

// The input as text, or nullopt when it cannot be read or is not text (the reason on `err`).
std::optional<DecodedText> ReadText(const std::string& path, const std::string& label,
                                    std::istream& in, std::ostream& err) {
  const Input input = ReadInput(path, in);
  if (!input.error.empty()) {
    err << "qorv: " << label << ": " << input.error << "\n";
    return std::nullopt;
  }
  DecodedText text = DecodeText(input.bytes);
  if (!text.Error.empty()) {
    err << "qorv: " << label << ": " << text.Error << "\n";
    return std::nullopt;
  }
  return text;
}

// The value of a header tag from the command line, in Windows-1252.
std::optional<UsageProblem> HeaderValue(const LetterMapper& mapper, const std::string& option,
                                        const std::string& utf8, std::string& value,
                                        std::vector<std::string>& notes) {
  if (!IsWellFormedUtf8(utf8)) return UsageProblem{option, "is not UTF-8"};
  MappedText mapped = mapper.MapText(utf8);
  if (!mapped.Unmapped.empty()) {
    return UsageProblem{option,
                        CharacterLabel(mapped.Unmapped.front()) + " has no Windows-1252 form"};
  }
  for (const Reduction& reduction : mapped.Reductions) {
    notes.push_back("qorv: " + option + ": " + Quoted(reduction.From) + " written as " +
                    Quoted(Cp1252ToUtf8(reduction.To)));
  }
  if (std::string why = TagValueProblem(mapped.Text, kHeaderTagLimit, false); !why.empty()) {
    return UsageProblem{option, "the value " + why};
  }
  value = std::move(mapped.Text);
  return std::nullopt;
}

// The default title: the file's name without its extension, underscores as spaces, in title
// case, reduced to Windows-1252 and cut to what the title keeps.
std::string TitleFromFileName(const LetterMapper& mapper, const std::string& path) {
  std::string stem = std::filesystem::path(path).stem().string();
  for (char& c : stem) {
    if (c == '_') c = ' ';
  }
  // File names on this system are UTF-8; one that is not is read as Windows-1252.
  if (!IsWellFormedUtf8(stem)) stem = Cp1252ToUtf8(stem);
  std::string title;
  for (char byte : mapper.MapText(LetterMapper::TitleCase(stem)).Text) {
    if (byte == '"') byte = '\'';
    if (static_cast<unsigned char>(byte) >= 0x20) title += byte;
  }
  if (title.size() > kHeaderTagLimit) title.resize(kHeaderTagLimit);
  if (title.empty() || !TagValueProblem(title, kHeaderTagLimit, false).empty()) return "Word List";
  return title;
}

std::optional<UsageProblem> OptionTags(const ChapterNewOptions& options, ChapterHeader& header) {
  std::string genopt = options.options.value_or("");
  if (std::string why = GenOptWordsProblem(genopt); !why.empty()) {
    return UsageProblem{"--options", why};
  }
  for (const auto& [set, keyword] :
       {std::pair{options.y_semi, "Y:SEMI"}, std::pair{options.y_consonant, "Y:CON"},
        std::pair{options.u_semi, "U:SEMI"}}) {
    if (set) genopt += (genopt.empty() ? "" : " ") + std::string(keyword);
  }
  if (std::string why = TagValueProblem(genopt, kOptionTagLimit, true); !why.empty()) {
    return UsageProblem{"--options", "the GENOPT value " + why};
  }

  const std::optional<std::string> specials = Utf8ToCp1252(options.special_consonants);
  if (!specials) {
    return UsageProblem{"--special-consonants", "holds a character that is not a consonant"};
  }
  std::string spccon;
  if (std::string why = SpecialConsonantValue(*specials, spccon); !why.empty()) {
    return UsageProblem{"--special-consonants", Cp1252ToUtf8(why)};
  }
  if (options.soft) spccon += (spccon.empty() ? "" : " ") + std::string("SOFT");
  if (std::string why = TagValueProblem(spccon, kOptionTagLimit, true); !why.empty()) {
    return UsageProblem{"--special-consonants", "the SPCCON value " + why};
  }
  if (const SpecialConsonantList list = ParseSpecialConsonants(spccon); !list.Message.empty()) {
    return UsageProblem{"--special-consonants",
                        list.Message + " (a special consonant is made of consonant letters)"};
  }
  header.Options = std::move(genopt);
  header.SpecialConsonants = std::move(spccon);
  header.SpecialVowels = options.multi ? "MULTI" : "";
  return std::nullopt;
}

std::optional<UsageProblem> MakeHeader(const LetterMapper& mapper, const ChapterNewOptions& options,
                                       ChapterHeader& header, std::vector<std::string>& notes) {
  // From standard input to standard output there is no file name: the title is "Word List".
  const std::string title_source = options.word_list != kStandardInput         ? options.word_list
                                   : options.output != kStandardStreamArgument ? options.output
                                                                               : "";
  header.Title = TitleFromFileName(mapper, title_source);
  header.Line1 = "Made from a word list";
  header.Date = Today();
  struct Given {
    const char* option;
    const std::optional<std::string>& value;
    std::string& field;
  };
  for (const Given& given : {Given{"--title", options.title, header.Title},
                             Given{"--line1", options.line1, header.Line1},
                             Given{"--line2", options.line2, header.Line2},
                             Given{"--date", options.date, header.Date}}) {
    if (!given.value) continue;
    if (auto problem = HeaderValue(mapper, given.option, *given.value, given.field, notes)) {
      return problem;
    }
  }
  if (auto problem = OptionTags(options, header)) return problem;
  std::string source = options.word_list == kStandardInput
                           ? std::string("standard input")
                           : std::filesystem::path(options.word_list).filename().string();
  header.Comment = "Made with qorv chapter new from " +
                   mapper.MapText(IsWellFormedUtf8(source) ? source : Cp1252ToUtf8(source)).Text;
  return std::nullopt;
}

int ReportUsage(const UsageProblem& problem, std::ostream& err) {
  err << "qorv: " << problem.what << ": " << problem.why << "\n";
  return kExitUsage;
}

// The letter mapper both commands read their text through; null, with the reason on `err`,
// when the Unicode library cannot provide it.
std::unique_ptr<LetterMapper> CreateMapper(std::ostream& err) {
  std::string icu_error;
  std::unique_ptr<LetterMapper> mapper = LetterMapper::Create(icu_error);
  if (!mapper) err << "qorv: " << icu_error << "\n";
  return mapper;
}

int RunNew(const ChapterNewOptions& options, std::istream& in, std::ostream& out,
           std::ostream& err) {
  const std::unique_ptr<LetterMapper> mapper = CreateMapper(err);
  if (!mapper) return kExitFailure;
  ChapterHeader header;
  std::vector<std::string> header_notes;
  if (auto problem = MakeHeader(*mapper, options, header, header_notes)) {
    return ReportUsage(*problem, err);
  }
  for (const std::string& note : header_notes) err << note << "\n";
  if (const int refused = CheckRunFiles(
          {{"the word list",
            options.word_list == kStandardInput ? kStandardInputPath : options.word_list, false},
           {"-o", options.output, true}},
          err)) {
    return refused;
  }
  if (!options.force && options.output != kStandardStreamArgument && PathExists(options.output)) {
    return ReportExisting(options.output, err);
  }

  const std::string label = InputLabel(options.word_list);
  const Input input = ReadInput(options.word_list, in);
  if (!input.error.empty()) {
    err << "qorv: " << label << ": " << input.error << "\n";
    return kExitFailure;
  }
  std::string_view bytes = input.bytes;
  if (const std::string refused = RefusedAsText(bytes); !refused.empty()) {
    err << "qorv: " << label << ": " << refused << "\n";
    return kExitFailure;
  }

  if (!options.options) {
    // Only the mode keywords of the flags so far: the options that suit a list of this size first.
    const std::string flags = header.Options;
    header.Options = DefaultGenOpt(CountNameLines(bytes)) + (flags.empty() ? "" : " " + flags);
  }

  WordListNotes notes(label, err, options.quiet);
  const ListOptions list_options{{options.join_words, options.input_encoding},
                                 options.pick,
                                 options.seed ? *options.seed : std::random_device()()};
  const ListChapter list = MakeListChapter(bytes, *mapper, header, list_options, notes);
  notes.Finish();
  const FittedChapter& fitted = list.Fitted;
  if (fitted.Kept.empty()) {
    err << "qorv: " << label << ": "
        << (list.Skipped == 0 && list.Merged == 0 && list.LeftOut == 0
                ? "holds no names (one name a line)"
                : "no name left to write")
        << "; nothing was written\n";
    return kExitFailure;
  }
  if (!fitted.Load) {
    err << "qorv: " << options.output << ": the Chapter would not load ("
        << Cp1252ToUtf8(fitted.Load.error().message) << "); nothing was written\n";
    return kExitFailure;
  }
  if (const int status = WriteChapter(options.output, fitted.Text, options.force, out, err)) {
    return status;
  }
  SummaryStream(options.output, out, err)
      << OutputLabel(options.output) << ": " << list.Kept << " names kept, " << list.Skipped
      << " skipped, " << list.Merged << " merged, " << list.LeftOut << " left out\n";
  return kExitSuccess;
}

int RunConvert(const ChapterConvertOptions& options, std::istream& in, std::ostream& out,
               std::ostream& err) {
  const std::unique_ptr<LetterMapper> mapper = CreateMapper(err);
  if (!mapper) return kExitFailure;
  if (const int refused = CheckRunFiles(
          {{"the Chapter", options.input == kStandardInput ? kStandardInputPath : options.input,
            false},
           {"-o", options.output, true}},
          err)) {
    return refused;
  }
  if (!options.force && options.output != kStandardStreamArgument && PathExists(options.output)) {
    return ReportExisting(options.output, err);
  }
  const std::string label = InputLabel(options.input);
  const std::optional<DecodedText> text = ReadText(options.input, label, in, err);
  if (!text) return kExitFailure;

  const ConvertedChapter converted = ConvertChapter(*text, *mapper);
  int unmapped = 0;
  for (const ChangedCharacter& changed : converted.Changed) {
    err << "qorv: " << label << ": line " << changed.Line << ": ";
    if (changed.Unmapped) {
      ++unmapped;
      const std::optional<Utf8Char> c = DecodeUtf8Char(changed.From);
      err << CharacterLabel(c ? c->code_point : 0) << " has no Windows-1252 form; written as ?\n";
    } else {
      err << Quoted(changed.From) << " written as " << Quoted(Cp1252ToUtf8(changed.To)) << "\n";
    }
  }

  PlainChapterClient client;
  TQorvChapter chapter;
  const int expected = EstimateNameCountInText(converted.Text);
  LoadChapterFromBytes(chapter, converted.Text, expected, client);
  if (!chapter.Loaded) {
    err << "qorv: " << label
        << ": the converted Chapter does not load: " << Cp1252ToUtf8(chapter.Message)
        << "; nothing was written\n";
    for (const std::string& warning :
         ChapterWarnings(converted.Text, chapter, client.Statistics(), expected)) {
      err << "qorv: " << label << ": warning: " << warning << "\n";
    }
    return kExitFailure;
  }
  if (const int status = WriteChapter(options.output, converted.Text, options.force, out, err)) {
    return status;
  }
  SummaryStream(options.output, out, err)
      << OutputLabel(options.output) << ": " << chapter.NameCount << " names; converted from "
      << EncodingName(text->Encoding) << ", " << converted.LineEndsChanged
      << " line ends made CR LF, " << converted.Changed.size() - unmapped << " characters reduced, "
      << unmapped << " written as ?\n";
  return kExitSuccess;
}

}  // namespace

CLI::App* AddChapterCommand(CLI::App& app, ChapterOptions& options) {
  CLI::App* chapter = app.add_subcommand(
      "chapter", "Make a Chapter file from a word list, convert one, blend several, or check one");
  chapter->require_subcommand(1);

  ChapterNewOptions& create = options.create;
  CLI::App* create_command = chapter->add_subcommand(
      "new", "Make a Chapter from a word list: one name per line, UTF-8 or Windows-1252");
  create_command->add_option("WORDLIST", create.word_list, "the word list (- for standard input)")
      ->required();
  create_command
      ->add_option("-o,--output", create.output,
                   "the Chapter file to write (- for standard output)")
      ->required();
  create_command->add_option("--title", create.title,
                             "TITLE (default: the word list's file name in title case)");
  create_command->add_option("--line1", create.line1, "LINE1 (default: Made from a word list)");
  create_command->add_option("--line2", create.line2, "LINE2 (default: empty)");
  create_command->add_option("--date", create.date, "DATE (default: today, as YYYY-MM-DD)");
  create_command->add_option("--options", create.options,
                             "the GENOPT keywords, e.g. \"STRUCTGEN STATGEN FIT:2 VAL:1\" "
                             "(default: options measured to suit a list of its size)");
  create_command->add_option("--special-consonants", create.special_consonants,
                             "the special consonants, e.g. \"<TH><NG>\"");
  create_command->add_flag("--soft", create.soft, "a consonant followed by H is one consonant");
  create_command->add_flag("--multi", create.multi,
                           "vowel, one letter and the same vowel may form one element");
  create_command->add_flag("--y-semi", create.y_semi, "Y before a vowel is a consonant");
  create_command->add_flag("--y-consonant", create.y_consonant,
                           "Y is always a consonant (not with --y-semi)");
  // Checked here rather than by the parser's own rule, which would crowd the help with it.
  create_command->callback([&create] {
    if (create.y_semi && create.y_consonant) {
      throw CLI::ValidationError("--y-consonant", "cannot come with --y-semi");
    }
  });
  create_command->add_flag("--u-semi", create.u_semi, "the U of QU before a vowel is a consonant");
  create_command->add_flag("--join-words", create.join_words,
                           "join the words of a name with hyphens instead of skipping it");
  create_command
      ->add_option_function<std::string>(
          "--input-encoding",
          [&create](const std::string& name) {
            if (name != "utf-8" && name != "cp1252") {
              throw CLI::ValidationError("--input-encoding", "utf-8 or cp1252, not " + name);
            }
            create.input_encoding = name == "utf-8" ? InputEncoding::kUtf8 : InputEncoding::kCp1252;
          },
          "read every line as utf-8 or cp1252 (default: each line as UTF-8 when it is, else as "
          "Windows-1252)")
      ->type_name("utf-8|cp1252");
  create_command
      ->add_option_function<std::string>(
          "--pick",
          [&create](const std::string& name) {
            if (name != "first" && name != "spread" && name != "random") {
              throw CLI::ValidationError("--pick", "first, spread or random, not " + name);
            }
            create.pick = name == "spread"   ? PickMode::kSpread
                          : name == "random" ? PickMode::kRandom
                                             : PickMode::kFirst;
          },
          "which 1000 names of a longer list are kept: first (default), spread, random")
      ->type_name("first|spread|random");
  create_command->add_option("--seed", create.seed, "the seed of --pick random");
  create_command->add_flag("--quiet", create.quiet, "no notes on the word list's lines");
  create_command->add_flag("--force", create.force, "replace an existing regular output file");
  options.new_command = create_command;

  ChapterConvertOptions& convert = options.convert;
  CLI::App* convert_command = chapter->add_subcommand(
      "convert", "Re-encode a Chapter in UTF-8 and/or with LF line ends as Windows-1252, CR LF");
  convert_command->add_option("IN", convert.input, "the Chapter to convert (- for standard input)")
      ->required();
  convert_command
      ->add_option("-o,--output", convert.output,
                   "the Chapter file to write (- for standard output)")
      ->required();
  convert_command->add_flag("--force", convert.force, "replace an existing regular output file");
  options.convert_command = convert_command;
  options.blend_command = AddBlendCommand(*chapter, options.blend);
  options.check_command = AddCheckCommand(*chapter, options.check);
  return chapter;
}

int RunChapter(const ChapterOptions& options, std::istream& in, std::ostream& out,
               std::ostream& err) {
  if (options.new_command && options.new_command->parsed()) {
    return RunNew(options.create, in, out, err);
  }
  if (options.blend_command && options.blend_command->parsed()) {
    return RunBlend(options.blend, out, err);
  }
  if (options.check_command && options.check_command->parsed()) {
    return RunCheck(options.check, out, err);
  }
  return RunConvert(options.convert, in, out, err);
}

}  // namespace qorv
