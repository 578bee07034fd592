#include "cli/chapter_warnings.h"

#include <algorithm>
#include <cstdio>

#include "chapter/chapter_title.h"
#include "chapter/limits.h"
#include "chapter/tag_reader.h"
#include "text/encoding.h"

namespace qorv {
namespace {

constexpr std::size_t kNoLimit = std::string_view::npos;
constexpr std::size_t kMaxCommentWarnings = 3;

// The 1-based line of a position: lines end at LF, or at a CR not followed by LF.
int LineOf(std::string_view text, std::size_t position) {
  int line = 1;
  for (std::size_t i = 0; i < position && i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++line;
    }
  }
  return line;
}

std::string Names(int count) {
  return std::to_string(count) + (count == 1 ? " name" : " names");
}

std::string Quoted(std::string_view cp1252) {
  return "\"" + Cp1252ToUtf8(cp1252) + "\"";
}

class WarningCollector {
 public:
  WarningCollector(std::string_view raw, const TQorvChapter& chapter,
                   const ChapterStatistics& stats, int expected_name_count)
      : raw_(raw),
        chapter_(chapter),
        stats_(stats),
        expected_name_count_(expected_name_count),
        comments_(CommentSpans(raw)) {}

  std::vector<std::string> Collect() {
    BareLineFeeds();
    CommentsOverLineFeeds();
    HeaderTagsInComments();
    TagsInsideOtherValues();
    Utf8Look();
    ChapterListView();
    if (chapter_.Loaded) {
      NameCountEstimate();
      CutValues();
      LevelsOutOfRange();
      UnusedSpecialConsonants();
    }
    return std::move(warnings_);
  }

 private:
  void Add(std::string warning) { warnings_.push_back(std::move(warning)); }

  void BareLineFeeds() {
    int bare = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < raw_.size(); ++i) {
      if (raw_[i] == '\n' && (i == 0 || raw_[i - 1] != '\r')) {
        if (bare++ == 0) first = i;
      }
    }
    if (bare == 0) return;
    Add(std::to_string(bare) + (bare == 1 ? " line ends" : " lines end") +
        " with a bare line feed (LF without CR), the first on line " +
        std::to_string(LineOf(raw_, first)) + "; Chapter lines end with CR LF.");
  }

  // Only a carriage return ends a comment, so over bare line feeds a comment swallows lines.
  void CommentsOverLineFeeds() {
    std::size_t reported = 0;
    for (const CommentSpan& comment : comments_) {
      const std::string_view blanked = raw_.substr(comment.From, comment.To - comment.From);
      if (blanked.find('\n') == std::string_view::npos) continue;
      if (reported++ == kMaxCommentWarnings) break;
      const int first = LineOf(raw_, comment.From);
      const int last = LineOf(raw_, comment.To - 1);
      const std::string where = "The comment on line " + std::to_string(first);
      if (comment.To == raw_.size()) {
        // On the last line a comment swallows only its own line end.
        if (last == first) continue;
        const std::string lines = last == first + 1 ? "line " + std::to_string(last)
                                                    : "lines " + std::to_string(first + 1) +
                                                          " to " + std::to_string(last);
        Add(where + " hides the rest of the file (" + lines +
            "): only a carriage return ends a comment.");
      } else {
        Add(where + " runs on through line " + std::to_string(last) +
            ": only a carriage return ends a comment.");
      }
    }
  }

  // The header tags are read before comments are blanked, from their first occurrence anywhere.
  // A comment here is what its author sees: "//" to the end of its line.
  void HeaderTagsInComments() {
    for (const std::string_view header : {tag::kTitle, tag::kLine1, tag::kLine2, tag::kDate}) {
      const std::size_t at = raw_.find(header);
      if (at == std::string_view::npos) continue;
      const bool in_comment =
          std::any_of(comments_.begin(), comments_.end(), [&](const CommentSpan& c) {
            const std::size_t line_end = std::min(c.To, raw_.find('\n', c.From));
            return c.From <= at && at < line_end;
          });
      if (!in_comment) continue;
      Add(std::string(header) + " is read from the comment on line " +
          std::to_string(LineOf(raw_, at)) + ": the first \"" + std::string(header) +
          "\" anywhere in the file counts, comments included.");
    }
  }

  // Each tag is read from the first place its name appears, even inside the value of another
  // tag written before it: TITLE "The DATE palms" gives DATE the text after "DATE", and hides
  // the real DATE further on. The header tags are read from the file as it is, the others after
  // the comments are blanked.
  void TagsInsideOtherValues() {
    struct TagRead {
      std::string_view name;
      TagPlace place;
    };
    std::string blanked(raw_);
    BlankComments(blanked);
    std::vector<TagRead> reads;
    for (const std::string_view name : {tag::kTitle, tag::kLine1, tag::kLine2, tag::kDate}) {
      if (const auto place = FindTag(raw_, name)) reads.push_back({name, *place});
    }
    for (const std::string_view name :
         {tag::kSpecialConsonants, tag::kSpecialVowels, tag::kGenerationOptions, tag::kNames}) {
      if (const auto place = FindTag(blanked, name)) reads.push_back({name, *place});
    }
    std::sort(reads.begin(), reads.end(),
              [](const TagRead& a, const TagRead& b) { return a.place.NameAt < b.place.NameAt; });
    // A tag read from inside another value has no value of its own to hide a later tag in.
    std::vector<const TagRead*> in_place;
    for (const TagRead& read : reads) {
      const auto host = std::find_if(in_place.begin(), in_place.end(), [&](const TagRead* other) {
        return other->place.ValueFrom <= read.place.NameAt &&
               read.place.NameAt < other->place.ValueTo;
      });
      if (host == in_place.end()) {
        in_place.push_back(&read);
        continue;
      }
      Add(std::string(read.name) + " is read from inside the " + std::string((*host)->name) +
          " value on line " + std::to_string(LineOf(raw_, read.place.NameAt)) + ": the first \"" +
          std::string(read.name) + "\" anywhere in the file counts, even inside another value.");
    }
  }

  void Utf8Look() {
    const int count = CountUtf8MultiByteSequences(raw_);
    if (count == 0) return;
    std::size_t at = 0;
    std::size_t length = 0;
    for (std::string_view rest = raw_; !rest.empty();) {
      const auto decoded = DecodeUtf8Char(rest);
      if (decoded && decoded->length > 1) {
        at = raw_.size() - rest.size();
        length = decoded->length;
        break;
      }
      rest.remove_prefix(decoded ? decoded->length : 1);
    }
    const std::string_view sequence = raw_.substr(at, length);
    std::string hex;
    for (char byte : sequence) {
      char buffer[4];
      std::snprintf(buffer, sizeof buffer, " %02X", static_cast<unsigned char>(byte));
      hex += buffer;
    }
    Add("The file looks like UTF-8: it holds " + std::to_string(count) +
        (count == 1 ? " UTF-8 sequence" : " UTF-8 sequences") + ", the first on line " +
        std::to_string(LineOf(raw_, at)) + " (\"" + std::string(sequence) + "\", bytes" + hex +
        ", read as " + Quoted(sequence) + "). Chapters are Windows-1252, one byte per character.");
  }

  void ChapterListView() {
    const ChapterTitle title = ReadChapterTitle(raw_);
    if (title.NameCount == 0) {
      Add("The Chapter list would not show this file: it needs a TITLE whose value opens with a "
          "quote and ends with \"; and a NAMES tag.");
    } else if (!chapter_.Loaded && chapter_.Message == "Too many names") {
      Add("The Chapter list expects " + Names(title.NameCount) +
          ": it counts the commas after the first NAMES, comments included, and adds one.");
    }
  }

  void NameCountEstimate() {
    if (expected_name_count_ == chapter_.NameCount) return;
    Add("The Chapter list expects " + Names(expected_name_count_) +
        " (the commas after the first NAMES, comments included, plus one), but the NAMES list "
        "holds " +
        std::to_string(chapter_.NameCount) + ".");
  }

  void CutValues() {
    struct Tag {
      std::string_view name;
      std::size_t limit;
      bool blanked;  // read after the comments are blanked
    };
    static constexpr Tag kTags[] = {
        {tag::kTitle, kHeaderTagLimit, false},
        {tag::kLine1, kHeaderTagLimit, false},
        {tag::kLine2, kHeaderTagLimit, false},
        {tag::kDate, kHeaderTagLimit, false},
        {tag::kSpecialConsonants, kOptionTagLimit, true},
        {tag::kSpecialVowels, kOptionTagLimit, true},
        {tag::kGenerationOptions, kOptionTagLimit, true},
    };
    for (const Tag& checked : kTags) {
      const auto value =
          ReadTag(checked.blanked ? std::string_view(chapter_.Text) : raw_, checked.name, kNoLimit);
      if (!value || value->size() <= checked.limit) continue;
      Add(std::string(checked.name) + " holds " + std::to_string(value->size()) +
          " characters; only the first " + std::to_string(checked.limit) + " are " +
          (checked.blanked ? "read, so keywords after them are ignored." : "kept."));
    }
  }

  void LevelsOutOfRange() {
    if (chapter_.FitLevel < 0 || chapter_.FitLevel > 3) {
      Add("FIT: gives " + std::to_string(chapter_.FitLevel) +
          ", outside the generation levels 0 to 3: no level is suggested.");
    }
    if (chapter_.ValLevel < 0 || chapter_.ValLevel > 2) {
      Add("VAL: gives " + std::to_string(chapter_.ValLevel) +
          ", outside the validation levels 0 to 2: no level is suggested.");
    }
  }

  // A special consonant matches the coded names: capitals, soft consonants in lower case.
  void UnusedSpecialConsonants() {
    for (int k = 0; k < stats_.SpecialConsonantCount; ++k) {
      const char code = static_cast<char>('0' + k);
      bool used = false;
      for (int e = 0; e < chapter_.ConsonantElementCount && !used; ++e) {
        used = stats_.ConsonantElements[e].find(code) != std::string::npos;
      }
      if (used) continue;
      Add("Special consonant #" + std::to_string(k + 1) + " " +
          Quoted(stats_.SpecialConsonants[k]) +
          " matches no seed name; special consonants are matched against the upper-cased names, "
          "case-sensitively.");
    }
  }

  std::string_view raw_;
  const TQorvChapter& chapter_;
  const ChapterStatistics& stats_;
  int expected_name_count_;
  std::vector<CommentSpan> comments_;
  std::vector<std::string> warnings_;
};

}  // namespace

std::vector<std::string> ChapterWarnings(std::string_view raw, const TQorvChapter& chapter,
                                         const ChapterStatistics& stats, int expected_name_count) {
  return WarningCollector(raw, chapter, stats, expected_name_count).Collect();
}

}  // namespace qorv
