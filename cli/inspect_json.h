// The JSON form of `qorv inspect --json`: a loaded Chapter with its whole statistics block, or
// the cause of a failed load. Every text is converted from Windows-1252 to UTF-8.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "chapter/chapter.h"
#include "chapter/statistics.h"

namespace qorv {

// The record and the meaningful part of every table (entries below their counts; flag tables
// as the sorted [row, column] pairs of their set cells).
nlohmann::ordered_json LoadedChapterJson(const TQorvChapter& chapter,
                                         const ChapterStatistics& stats);

// {"Loaded":0,"Message":...} for a load that failed with the cause `message`.
nlohmann::ordered_json FailedChapterJson(const std::string& message);

}  // namespace qorv
