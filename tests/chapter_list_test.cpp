// The Chapter list's labels: entries of equal titles carry their file names.
#include "session/chapter_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qorv {
namespace {

TEST(LabelEqualTitles, OnlyEqualTitlesGetTheirFileNames) {
  std::vector<ChapterListEntry> entries = {
      {"Twins", "twin_a.qrv", 3, {}},
      {"Coastal Villages", "coastal_villages.qrv", 95, {}},
      {"Twins", "my_twins.qrv", 3, {}},
      {"twins", "lower.qrv", 3, {}},  // titles compare exactly
      // File names are UTF-8: the label is Windows-1252, "?" for what it cannot hold.
      {"\xC9t\xE9", "\xC3\xA9t\xC3\xA9.qrv", 2, {}},
      {"\xC9t\xE9",
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA.qrv",
       2,
       {}},
      // A hand-written UTF-8 title is shown in Windows-1252.
      {"St\xC3\xA4"
       "dte",
       "utf8.qrv",
       2,
       {}},
  };
  LabelEqualTitles(entries);
  std::vector<std::string> labels;
  for (const ChapterListEntry& entry : entries) labels.push_back(entry.DisplayTitle);
  EXPECT_EQ(labels,
            (std::vector<std::string>{"Twins (twin_a.qrv)", "Coastal Villages",
                                      "Twins (my_twins.qrv)", "twins", "\xC9t\xE9 (\xE9t\xE9.qrv)",
                                      "\xC9t\xE9 (?\xF3"
                                      "d?.qrv)",
                                      "St\xE4"
                                      "dte"}));
  // The titles themselves stay as read.
  EXPECT_EQ(entries[0].Title, "Twins");
}

}  // namespace
}  // namespace qorv
