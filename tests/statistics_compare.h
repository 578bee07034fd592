// Compares two chapter statistics blocks table by table, for tests of what a load leaves behind.
#pragma once

#include <gtest/gtest.h>

#include "chapter/chapter.h"
#include "chapter/statistics.h"

namespace qorv::testing {

// Every table and every entry, texts beyond the counts included.
::testing::AssertionResult SameStatistics(const ChapterStatistics& a, const ChapterStatistics& b);

// What belongs to the Chapter just loaded: every count, flag and weight table in full, but the
// element, special consonant and pattern texts only below their counts (beyond them an earlier
// load may still show). `chapter` gives the element counts.
::testing::AssertionResult SameChapterStatistics(const ChapterStatistics& a,
                                                 const ChapterStatistics& b,
                                                 const TQorvChapter& chapter);

}  // namespace qorv::testing
