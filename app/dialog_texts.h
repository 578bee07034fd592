// The texts the dialog shows, each defined once.
#pragma once

#include "qorv/version.h"

namespace qorv::app {

inline constexpr const char* kApplicationName = kProgramName;
inline constexpr const char* kAboutText = kProgramTitle;
// The desktop entry, the AppStream component and the icon are named by this id.
inline constexpr const char* kDesktopFileName = "org.quorvane.Lexicon";

inline constexpr const char* kNoChapter = "No Chapter";
// After "No Chapter" when the folder holds no Chapter file, followed by the folder.
inline constexpr const char* kChapterFilesBelong = ": Chapter files (*.qrv) belong in ";
inline constexpr const char* kReadingChapter = "Reading Chapter";
inline constexpr const char* kLoadFailure = "FAILURE\nAttempt to open Chapter failed.\nCause: ";
inline constexpr const char* kNames = " names, ";
inline constexpr const char* kElements = " elements.";
inline constexpr const char* kGenerating = "Generating";
inline constexpr const char* kNoNewName = "No new name found";
inline constexpr const char* kPosition = "Pos: ";
inline constexpr const char* kStoredSuffix = " Stored";
inline constexpr const char* kStoredPrefix = "Stored ";
inline constexpr const char* kStoredNames = "names.";
inline constexpr const char* kStoreCleared = "Store cleared";
// What went wrong with a file, each followed by the file's name, ": " and the system's reason:
// "Store not written: STORED.txt: Permission denied".
inline constexpr const char* kStoreNotWritten = "Store not written: ";
// A page that failed part way: 12 " of " 50 " stored: " and the file and reason.
inline constexpr const char* kStoredOf = " of ";
inline constexpr const char* kPartlyStored = " stored: ";
inline constexpr const char* kStoreNotCleared = "Store not cleared: ";
// View Store or View Log with a file that cannot be read (a log not written yet).
inline constexpr const char* kCannotView = "Cannot view ";
inline constexpr const char* kDefaultPageSize = "50";

// Hints, by control.
inline constexpr const char* kHintGenerateNext = "Generate Next";
inline constexpr const char* kHintStoreName = "Store Name";
inline constexpr const char* kHintStorePage = "Store ";
inline constexpr const char* kHintClearStore = "Clear Store";
inline constexpr const char* kHintViewStore = "View Store";
inline constexpr const char* kHintHelp = "Help";
inline constexpr const char* kHintOptions = "Options";
inline constexpr const char* kHintBrowseHistory = "Browse History";
inline constexpr const char* kHintSelectChapter = "Select Chapter";
inline constexpr const char* kHintViewLog = "View Log";

}  // namespace qorv::app
