// The dialog's fonts, asked for by the faces the program was designed with and mapped once to
// installed metric twins: "Times New Roman" -> Liberation Serif, "Courier New" -> Liberation Mono,
// "MS Sans Serif" -> Liberation Sans.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

namespace qorv::app {

// The installed family that stands in for a requested face; unknown faces are asked for as given.
QString InstalledFace(const QString& requested);

// A font of `points` points on the 96 pixels-per-inch grid that dialog layouts are designed for.
QFont FontByPoints(const QString& face, int points, bool italic);

// A font whose character cell (ascent plus descent) is `height` pixels high: what a positive
// height in logical units asks for.
QFont FontByCellHeight(const QString& face, int height, bool italic);

// The four fonts of the client dialog, created once and kept for its life.
struct DialogFonts {
  QFont NameLarge;   // "Times New Roman" 36, italic: names of up to 18 characters
  QFont NameMedium;  // "Times New Roman" 24, italic: longer names
  QFont Message;     // "MS Sans Serif" 8: messages and headings
  QFont LetterList;  // "Courier New" 15: the Initial Letter list

  static DialogFonts Create();
};

// `font`, or a smaller size of it, so that every line of `lines` fits `room` (each line within its
// width, all of them within its height). Lines still too wide at the smallest size
// (kSmallestFittedPixelSize) are elided at their end; `lines` is changed to what is shown.
QFont FittedFont(const QFont& font, QStringList& lines, QSize room);

inline constexpr int kSmallestFittedPixelSize = 7;

// The name style's rule: texts of 19 characters or more take the medium font.
inline constexpr int kLongNameLength = 19;

}  // namespace qorv::app
