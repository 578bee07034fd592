// LoadChapter: reads, checks and analyses one Chapter file into a new TQorvChapter.
//
// Failures are values: each entry returns its Result (the error's message is the cause, as
// `Message` keeps it), and the record keeps `Loaded` (1 on success) and `Message`. The loader
// rebuilds the client's statistics block, empties its history ring and drives its gauge
// (0..15); it runs on one thread and nothing else may touch the client's data meanwhile.
#pragma once

#include <string>
#include <string_view>

#include "chapter/chapter.h"
#include "chapter/client.h"
#include "io/file_bytes.h"
#include "io/result.h"

namespace qorv {

// `expected_name_count` is the estimate of the Chapter list (EstimateNameCount).
Result<void> LoadChapter(TQorvChapter& chapter, const std::string& path, int expected_name_count,
                         ChapterClient& client);

// The same load from a file already read (ReadChapterFile, or a whole pipe): a read that failed
// refuses the file with "Couldn't open file", after the check of the estimate.
Result<void> LoadChapterFromFile(TQorvChapter& chapter, const FileBytes& file,
                                 int expected_name_count, ChapterClient& client);

// The same load from the file's bytes, as if they had been read from an openable file.
Result<void> LoadChapterFromBytes(TQorvChapter& chapter, std::string_view bytes,
                                  int expected_name_count, ChapterClient& client);

}  // namespace qorv
