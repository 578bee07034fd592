// The ids of the client dialog and of its controls, glyph bitmaps and icon: the names by which the
// dialog template, the command table, the hints and the tests address them.
#pragma once

namespace qorv::app {

inline constexpr int kClientDialogId = 2000;
inline constexpr int kApplicationIconId = 1;

// The dialog's own commands: the default command (Enter) and cancel (Escape).
inline constexpr int kIdDefaultCommand = 1;
inline constexpr int kIdCancel = 2;

// Controls.
inline constexpr int kIdGenerateNext = 101;
inline constexpr int kIdChapterCombo = 102;
inline constexpr int kIdHelp = 105;
inline constexpr int kIdStoreName = 106;
inline constexpr int kIdStorePage = 107;
inline constexpr int kIdClearStore = 108;
inline constexpr int kIdOptions = 109;
inline constexpr int kIdGenerationGroup = 110;
inline constexpr int kIdLevel0 = 111;
inline constexpr int kIdLevel1 = 112;
inline constexpr int kIdLevel2 = 113;
inline constexpr int kIdLevel3 = 114;
inline constexpr int kIdStructural = 115;
inline constexpr int kIdStatistical = 116;
inline constexpr int kIdPrefixes = 117;
inline constexpr int kIdSuffixes = 118;
inline constexpr int kIdInitialLetter = 119;
inline constexpr int kIdValidationGroup = 120;
inline constexpr int kIdValidation0 = 121;
inline constexpr int kIdValidation1 = 122;
inline constexpr int kIdValidation2 = 123;
inline constexpr int kIdStoreGroup = 124;
inline constexpr int kIdAutomaticOptions = 125;
inline constexpr int kIdTrailingLine = 126;
inline constexpr int kIdProgressGauge = 127;
inline constexpr int kIdHistoryScrollBar = 133;
inline constexpr int kIdViewStore = 134;
inline constexpr int kIdBottomMarker = 141;
inline constexpr int kIdOptionAreaMarker = 142;
inline constexpr int kIdStatusLine = 144;
inline constexpr int kIdNameDisplay = 145;
inline constexpr int kIdHintLine = 146;
inline constexpr int kIdViewLog = 147;
inline constexpr int kIdPageSize = 148;

// Glyph bitmaps of the glyph buttons, and their disabled forms.
inline constexpr int kGlyphGenerateNext = 150;
inline constexpr int kGlyphStoreName = 151;
inline constexpr int kGlyphStorePage = 152;
inline constexpr int kGlyphClearStore = 153;
inline constexpr int kGlyphViewStore = 154;
inline constexpr int kGlyphHelp = 155;
inline constexpr int kGlyphOptionsHidden = 156;
inline constexpr int kGlyphOptionsShown = 157;
inline constexpr int kGlyphViewLog = 158;
inline constexpr int kGlyphGenerateNextDisabled = 160;
inline constexpr int kGlyphStoreNameDisabled = 161;
inline constexpr int kGlyphStorePageDisabled = 162;

}  // namespace qorv::app
