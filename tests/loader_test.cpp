#include "chapter/loader.h"

#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chapter/limits.h"
#include "tests/chapter_source.h"
#include "tests/statistics_compare.h"

namespace qorv {
namespace {

using testing::ChapterSource;
using testing::DistinctVowelRun;
using testing::Load;
using testing::SameStatistics;
using testing::TempDir;
using testing::TempFile;
using testing::WithNames;

// The gauge values 1, 2, ... last.
std::vector<int> TrailTo(int last) {
  std::vector<int> trail(static_cast<std::size_t>(last));
  std::iota(trail.begin(), trail.end(), 1);
  return trail;
}

std::string Padded(std::string text, std::size_t size) {
  text.resize(size, ' ');
  return text;
}

// A small complete Chapter: every tag, a comment after a tag, eight seed names over two lines.
const char kCoastalVillages[] =
    "// Coastal villages: a sample Chapter\r\n"
    "TITLE \"Coastal Villages\";\r\n"
    "LINE1 \"Fishing hamlets of a windswept shore\";\r\n"
    "LINE2 \"Eight seed names\";\r\n"
    "DATE \"1998\";\r\n"
    "SPCCON \"<NG>\";   // NG counts as one consonant\r\n"
    "SPCVOW \"MULTI\";\r\n"
    "GENOPT \"STRUCTGEN STATGEN PREFIX FIT:2 VAL:1 PUNCT:1\";\r\n"
    "NAMES \"Arnhelm\", \"Brisa\", \"Corwen\", \"Dunmarra\",\r\n"
    "      \"Eskil\", \"Fenwith\", \"Gallan\", \"Harnessy\";\r\n";

TEST(LoaderTest, SampleChapterLoadsWithEveryField) {
  PlainChapterClient client;
  const TQorvChapter chapter = Load(kCoastalVillages, client, 8);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.Message, "");
  EXPECT_EQ(chapter.Title, "Coastal Villages");
  EXPECT_EQ(chapter.Line1, "Fishing hamlets of a windswept shore");
  EXPECT_EQ(chapter.Line2, "Eight seed names");
  EXPECT_EQ(chapter.Date, "1998");
  EXPECT_EQ(client.Statistics().SpecialConsonantCount, 1);
  EXPECT_EQ(client.Statistics().SpecialConsonants[0], "NG");
  EXPECT_EQ(chapter.StructGen, 1);
  EXPECT_EQ(chapter.StatGen, 1);
  EXPECT_EQ(chapter.Prefix, 1);
  EXPECT_EQ(chapter.Shuffle, 0);
  EXPECT_EQ(chapter.Suffix, 0);
  EXPECT_EQ(chapter.FitLevel, 2);
  EXPECT_EQ(chapter.ValLevel, 1);
  EXPECT_EQ(chapter.PunctMode, 1);
  EXPECT_EQ(chapter.YMode, 0);
  EXPECT_EQ(chapter.UMode, 0);
  EXPECT_EQ(chapter.NameCount, 8);
  EXPECT_EQ(chapter.InitialLetters, "ABCDEFGH");
}

TEST(LoaderTest, SuccessRunsTheGaugeFromOneToFifteen) {
  PlainChapterClient client;
  const TQorvChapter chapter = Load(ChapterSource{}, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_TRUE(client.GaugeShown());
  EXPECT_EQ(client.ProgressTrail(), TrailTo(15));
  EXPECT_EQ(client.Progress(), 15);
}

TEST(LoaderTest, SuccessLeavesNoMessage) {
  TQorvChapter chapter;
  chapter.Message = "stale";
  PlainChapterClient client;
  LoadChapterFromBytes(chapter, ChapterSource{}.Text(), 2, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.Message, "");
}

// One way to break a Chapter: what it breaks, the message, and where the gauge stops.
struct Breakage {
  const char* part;  // two breakages of the same part cannot be combined
  std::string message;
  int gauge_stop;
  std::function<void(ChapterSource&)> apply;
  bool too_large = false;
};

std::vector<std::string> NamesWithDistinctVowels(int count) {
  std::vector<std::string> names;
  for (int k = 0; k < count; ++k) names.push_back("B" + DistinctVowelRun(k));
  return names;
}

// In the order the loader checks them.
std::vector<Breakage> Breakages() {
  const std::string thirty_two_elements = [] {
    std::string name;
    for (int i = 0; i < 16; ++i) name += "BA";
    return name;
  }();
  return {
      {"size", "File too large", 1, [](ChapterSource&) {}, true},
      {"title", "Invalid or missing TITLE tag", 2, [](ChapterSource& s) { s.title.reset(); }},
      {"line1", "Invalid or missing LINE1 tag", 2, [](ChapterSource& s) { s.line1.reset(); }},
      {"line2", "Invalid or missing LINE2 tag", 2, [](ChapterSource& s) { s.line2.reset(); }},
      {"date", "Invalid or missing DATE tag", 2, [](ChapterSource& s) { s.date.reset(); }},
      {"spccon", "Invalid or missing SPCCON tag", 5, [](ChapterSource& s) { s.spccon.reset(); }},
      {"spccon", "Too many special consonants", 5,
       [](ChapterSource& s) { s.spccon = "<B><C><D><F><G><J><K><L><M><N><P>"; }},
      {"spccon", "Invalid character in special consonant #2", 5,
       [](ChapterSource& s) { s.spccon = "<TH><><Ae>"; }},
      {"spcvow", "Invalid or missing SPCVOW tag", 6, [](ChapterSource& s) { s.spcvow.reset(); }},
      {"genopt", "Invalid or missing GENOPT tag", 7, [](ChapterSource& s) { s.genopt.reset(); }},
      {"names", "Missing NAMES tag", 8, [](ChapterSource& s) { s.names_tag = false; }},
      {"names", "Invalid NAMES tag", 8, [](ChapterSource& s) { s.names_terminated = false; }},
      {"names", "Invalid character in name #2 (A B)", 8,
       [](ChapterSource& s) {
         s.names = {"Ann", "a b"};
       }},
      {"names", "Too many names", 8,
       [](ChapterSource& s) { s.names = std::vector<std::string>(1001, "Ann"); }},
      {"names", "Too few elements in name #2 (A)", 11,
       [](ChapterSource& s) {
         s.names = {"Ann", "a", "Bo"};
       }},
      {"names", "Too many elements in name #2 (" + thirty_two_elements + ")", 11,
       [thirty_two_elements](ChapterSource& s) {
         s.names = {"Ann", thirty_two_elements};
       }},
      {"names", "Too many different elements", 11,
       [](ChapterSource& s) { s.names = NamesWithDistinctVowels(256); }},
  };
}

std::string TextOf(const std::vector<const Breakage*>& breakages) {
  ChapterSource source;
  bool too_large = false;
  for (const Breakage* b : breakages) {
    b->apply(source);
    too_large = too_large || b->too_large;
  }
  std::string text = source.Text();
  return too_large ? Padded(text, kMaxFileBytes + 1) : text;
}

TEST(LoaderTest, EveryFailureHasItsMessageAndStopsTheGaugeWhereItFails) {
  for (const Breakage& breakage : Breakages()) {
    SCOPED_TRACE(breakage.message);
    PlainChapterClient client;
    TQorvChapter chapter;
    const Result<void> loaded = LoadChapterFromBytes(chapter, TextOf({&breakage}), 1000, client);
    EXPECT_EQ(chapter.Loaded, 0);
    EXPECT_EQ(chapter.Message, breakage.message);
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().message, breakage.message);
    EXPECT_TRUE(client.GaugeShown());
    EXPECT_EQ(client.ProgressTrail(), TrailTo(breakage.gauge_stop));
  }
}

TEST(LoaderTest, EveryFailureAfterOpeningEmptiesTheHistoryRing) {
  for (const Breakage& breakage : Breakages()) {
    SCOPED_TRACE(breakage.message);
    PlainChapterClient client;
    client.History().Add("ALDA");
    client.History().Add("BERIN");
    const TQorvChapter chapter = Load(TextOf({&breakage}), client);
    ASSERT_EQ(chapter.Loaded, 0);
    EXPECT_EQ(client.History().NameHistoryCount, 0);
    EXPECT_EQ(client.History().NameHistoryNext, 0);
  }
}

TEST(LoaderTest, FirstFailureInCheckOrderWins) {
  const std::vector<Breakage> breakages = Breakages();
  for (std::size_t i = 0; i < breakages.size(); ++i) {
    for (std::size_t j = i + 1; j < breakages.size(); ++j) {
      if (std::string(breakages[i].part) == breakages[j].part) continue;
      SCOPED_TRACE(breakages[i].message + " before " + breakages[j].message);
      PlainChapterClient client;
      const TQorvChapter chapter = Load(TextOf({&breakages[i], &breakages[j]}), client);
      EXPECT_EQ(chapter.Message, breakages[i].message);
    }
  }
}

TEST(LoaderTest, FieldsReadBeforeAFailureStaySet) {
  ChapterSource source;
  source.line2.reset();
  PlainChapterClient client;
  TQorvChapter chapter = Load(source, client);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Invalid or missing LINE2 tag");
  EXPECT_EQ(chapter.Title, "Test Chapter");
  EXPECT_EQ(chapter.Line1, "First line");
  EXPECT_EQ(chapter.Line2, "");
  EXPECT_EQ(chapter.Date, "");

  source = ChapterSource{};
  source.genopt = "SHUFFLE Y:CON";
  source.spccon = "<TH> SOFT";
  source.names = {"Ann", "Bo", "Cy", "Ann Marie"};
  chapter = Load(source, client);
  EXPECT_EQ(chapter.Message, "Invalid character in name #4 (ANN MARIE)");
  EXPECT_EQ(chapter.Date, "2024");
  EXPECT_EQ(chapter.Shuffle, 1);
  EXPECT_EQ(chapter.YMode, 1);
  EXPECT_EQ(chapter.NameCount, 3);
  EXPECT_EQ(chapter.InitialLetters, "ABC");
  EXPECT_EQ(client.Statistics().SpecialConsonantCount, 1);
  EXPECT_EQ(client.Statistics().SpecialConsonants[0], "TH");
}

TEST(LoaderTest, TooManyNamesExpectedIsRefusedBeforeAnythingElse) {
  PlainChapterClient client;
  ASSERT_EQ(Load(ChapterSource{}, client).Loaded, 1);
  client.History().Add("ALDA");
  PlainChapterClient reference;
  ASSERT_EQ(Load(ChapterSource{}, reference).Loaded, 1);
  const std::size_t trail_length = client.ProgressTrail().size();

  // Even a file that is too large is refused for its expected count first.
  const TQorvChapter chapter = Load(Padded(ChapterSource{}.Text(), 40000), client, 1001);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Too many names");
  EXPECT_EQ(chapter.Text, "");
  EXPECT_EQ(client.ProgressTrail().size(), trail_length);
  EXPECT_EQ(client.History().NameHistoryCount, 1);
  EXPECT_EQ(client.History().NameHistoryNext, 1);
  EXPECT_TRUE(SameStatistics(client.Statistics(), reference.Statistics()));
}

TEST(LoaderTest, ExpectedCountOfAThousandIsAccepted) {
  PlainChapterClient client;
  EXPECT_EQ(Load(ChapterSource{}, client, 1000).Loaded, 1);
}

// --- Loading from files ---

TEST(LoadFileTest, ReadsTheFileAsRawBytes) {
  const std::string text = ChapterSource{}.Text() + "// tail\r\n";
  TempFile file(text);
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapter(chapter, file.path(), 2, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.Text.size(), text.size());
  EXPECT_EQ(chapter.Text.substr(0, 20), text.substr(0, 20));
  EXPECT_EQ(chapter.Title, "Test Chapter");
  EXPECT_EQ(client.ProgressTrail(), TrailTo(15));
}

TEST(LoadFileTest, MissingFileOrDirectoryCannotBeOpened) {
  TempDir dir;
  PlainChapterClient client;
  client.History().Add("ALDA");
  for (const std::string& path : {(dir.path() / "absent.qrv").string(), dir.path().string()}) {
    SCOPED_TRACE(path);
    TQorvChapter chapter;
    LoadChapter(chapter, path, 2, client);
    EXPECT_EQ(chapter.Loaded, 0);
    EXPECT_EQ(chapter.Message, "Couldn't open file");
    EXPECT_FALSE(client.GaugeShown());
    EXPECT_TRUE(client.ProgressTrail().empty());
    EXPECT_EQ(client.History().NameHistoryCount, 1);
  }
  // Nor is the file created by the attempt.
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "absent.qrv"));
}

TEST(LoadFileTest, CouldNotOpenLeavesStatisticsAsTheyWere) {
  TempDir dir;
  PlainChapterClient client;
  PlainChapterClient reference;
  ASSERT_EQ(Load(ChapterSource{}, client).Loaded, 1);
  ASSERT_EQ(Load(ChapterSource{}, reference).Loaded, 1);
  TQorvChapter chapter;
  LoadChapter(chapter, (dir.path() / "absent.qrv").string(), 2, client);
  EXPECT_EQ(chapter.Message, "Couldn't open file");
  EXPECT_TRUE(SameStatistics(client.Statistics(), reference.Statistics()));
}

TEST(LoadFileTest, TooManyNamesComesBeforeOpening) {
  TempDir dir;
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapter(chapter, (dir.path() / "absent.qrv").string(), 1001, client);
  EXPECT_EQ(chapter.Message, "Too many names");
  TempFile file(ChapterSource{}.Text());
  LoadChapter(chapter, file.path(), 1001, client);
  EXPECT_EQ(chapter.Message, "Too many names");
  EXPECT_TRUE(client.ProgressTrail().empty());
  LoadChapter(chapter, file.path(), 1000, client);
  EXPECT_EQ(chapter.Loaded, 1) << chapter.Message;
}

TEST(LoadFileTest, FileOfExactlyTheLimitLoadsAndOneByteMoreIsTooLarge) {
  const std::string text = ChapterSource{}.Text();
  {
    TempFile file(Padded(text, kMaxFileBytes));
    PlainChapterClient client;
    TQorvChapter chapter;
    LoadChapter(chapter, file.path(), 2, client);
    EXPECT_EQ(chapter.Loaded, 1) << chapter.Message;
    EXPECT_EQ(chapter.Text.size(), kMaxFileBytes);
  }
  {
    TempFile file(Padded(text, kMaxFileBytes + 1));
    PlainChapterClient client;
    client.History().Add("ALDA");
    TQorvChapter chapter;
    LoadChapter(chapter, file.path(), 2, client);
    EXPECT_EQ(chapter.Loaded, 0);
    EXPECT_EQ(chapter.Message, "File too large");
    // The file was open: the gauge shows and the ring is emptied.
    EXPECT_EQ(client.ProgressTrail(), TrailTo(1));
    EXPECT_EQ(client.History().NameHistoryCount, 0);
  }
  {
    // A file far beyond the limit, with no header at all, is too large before anything else.
    TempFile file(std::string(100000, 'x'));
    PlainChapterClient client;
    TQorvChapter chapter;
    LoadChapter(chapter, file.path(), 2, client);
    EXPECT_EQ(chapter.Message, "File too large");
  }
}

TEST(LoadFileTest, SameLoadFromFileAndFromBytes) {
  TempFile file(kCoastalVillages);
  PlainChapterClient from_file;
  PlainChapterClient from_bytes;
  TQorvChapter a;
  LoadChapter(a, file.path(), 8, from_file);
  const TQorvChapter b = Load(kCoastalVillages, from_bytes, 8);
  ASSERT_EQ(a.Loaded, 1) << a.Message;
  ASSERT_EQ(b.Loaded, 1) << b.Message;
  EXPECT_EQ(a.Text, b.Text);
  EXPECT_EQ(a.NameCount, b.NameCount);
  EXPECT_EQ(a.VowelElementCount, b.VowelElementCount);
  EXPECT_EQ(a.ConsonantElementCount, b.ConsonantElementCount);
  EXPECT_TRUE(SameStatistics(from_file.Statistics(), from_bytes.Statistics()));
}

}  // namespace
}  // namespace qorv
