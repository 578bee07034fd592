#include "app/dialog_fonts.h"

#include <QFontMetrics>
#include <array>

namespace qorv::app {
namespace {

struct FaceMapping {
  const char* Requested;
  const char* Installed;
};

constexpr std::array kFaceMappings = {
    FaceMapping{"Times New Roman", "Liberation Serif"},
    FaceMapping{"Courier New", "Liberation Mono"},
    FaceMapping{"MS Sans Serif", "Liberation Sans"},
};

constexpr int kDesignDpi = 96;

QFont BaseFont(const QString& face, bool italic) {
  QFont font(InstalledFace(face));
  font.setItalic(italic);
  font.setWeight(QFont::Normal);
  font.setStyleStrategy(QFont::PreferDefault);
  return font;
}

}  // namespace

QString InstalledFace(const QString& requested) {
  for (const FaceMapping& mapping : kFaceMappings) {
    if (requested == QLatin1String(mapping.Requested))
      return QString::fromLatin1(mapping.Installed);
  }
  return requested;
}

QFont FontByPoints(const QString& face, int points, bool italic) {
  QFont font = BaseFont(face, italic);
  font.setPixelSize((points * kDesignDpi + 36) / 72);
  return font;
}

QFont FontByCellHeight(const QString& face, int height, bool italic) {
  QFont font = BaseFont(face, italic);
  font.setPixelSize(height);
  // The em is smaller than the cell; scale it so that ascent plus descent comes to `height`.
  const int cell = QFontMetrics(font).height();
  if (cell > 0 && cell != height)
    font.setPixelSize(std::max(1, (height * height + cell / 2) / cell));
  return font;
}

namespace {

bool LinesFit(const QFont& font, const QStringList& lines, QSize room) {
  const QFontMetrics metrics(font);
  if (metrics.height() * lines.size() > room.height()) return false;
  for (const QString& line : lines) {
    if (metrics.horizontalAdvance(line) > room.width()) return false;
  }
  return true;
}

}  // namespace

QFont FittedFont(const QFont& font, QStringList& lines, QSize room) {
  if (LinesFit(font, lines, room)) return font;
  QFont fitted = font;
  int size = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
  while (size > kSmallestFittedPixelSize) {
    fitted.setPixelSize(--size);
    if (LinesFit(fitted, lines, room)) return fitted;
  }
  const QFontMetrics metrics(fitted);
  for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideRight, room.width());
  return fitted;
}

DialogFonts DialogFonts::Create() {
  return DialogFonts{
      FontByCellHeight(QStringLiteral("Times New Roman"), 36, true),
      FontByCellHeight(QStringLiteral("Times New Roman"), 24, true),
      // The sans face of the dialog has its 8-point size as the nearest to a height of 8, so the
      // message style is the dialog font itself.
      FontByPoints(QStringLiteral("MS Sans Serif"), 8, false),
      FontByCellHeight(QStringLiteral("Courier New"), 15, false),
  };
}

}  // namespace qorv::app
