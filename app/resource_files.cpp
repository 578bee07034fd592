#include "app/resource_files.h"

#include <QImage>

#include "app/control_ids.h"

namespace qorv::app {

namespace {

// The colour that marks a glyph's background in the bitmap files.
constexpr QRgb kGlyphBackground = qRgb(0xFF, 0x00, 0xFF);

constexpr int kIconSizes[] = {16, 32, 48};

}  // namespace

bool IsGlyphId(int id) {
  return (id >= kGlyphGenerateNext && id <= kGlyphViewLog) ||
         (id >= kGlyphGenerateNextDisabled && id <= kGlyphStorePageDisabled);
}

QString GlyphResourcePath(int id) {
  if (!IsGlyphId(id)) return {};
  return QStringLiteral(":/glyphs/glyph_%1.bmp").arg(id);
}

QPixmap GlyphBitmap(int id) {
  if (!IsGlyphId(id)) return {};
  QImage image(GlyphResourcePath(id));
  if (image.isNull()) return {};
  image = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & RGB_MASK) == (kGlyphBackground & RGB_MASK)) line[x] = qRgba(0, 0, 0, 0);
    }
  }
  return QPixmap::fromImage(image);
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : kIconSizes) {
    icon.addFile(QStringLiteral(":/icons/icon%1_%2.png").arg(kApplicationIconId).arg(size),
                 QSize(size, size));
  }
  return icon;
}

}  // namespace qorv::app
