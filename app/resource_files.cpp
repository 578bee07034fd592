#include "app/resource_files.h"

#include <QImage>

#include "app/control_ids.h"
#include "app/drawn_icon_engine.h"

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

QString GlyphDrawingPath(int id) {
  if (!IsGlyphId(id)) return {};
  return QStringLiteral(":/glyphs/glyph_%1.svg").arg(id);
}

QIcon GlyphIcon(int glyph_id, int disabled_glyph_id) {
  auto* engine = new DrawnIconEngine;
  engine->AddPicture(GlyphBitmap(glyph_id), QIcon::Normal);
  engine->SetDrawing(GlyphDrawingPath(glyph_id), QIcon::Normal);
  if (disabled_glyph_id != 0) {
    engine->AddPicture(GlyphBitmap(disabled_glyph_id), QIcon::Disabled);
    engine->SetDrawing(GlyphDrawingPath(disabled_glyph_id), QIcon::Disabled);
  }
  return QIcon(engine);
}

QIcon ApplicationIcon() {
  auto* engine = new DrawnIconEngine;
  for (int size : kIconSizes) {
    engine->AddPicture(
        QPixmap(QStringLiteral(":/icons/icon%1_%2.png").arg(kApplicationIconId).arg(size)),
        QIcon::Normal);
  }
  engine->SetDrawing(QStringLiteral(":/icons/icon%1.svg").arg(kApplicationIconId), QIcon::Normal);
  return QIcon(engine);
}

}  // namespace qorv::app
