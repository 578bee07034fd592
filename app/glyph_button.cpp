#include "app/glyph_button.h"

#include <QIcon>
#include <QKeyEvent>

#include "app/resource_files.h"

TGlyphButton::TGlyphButton(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(false);
  setDefault(false);
}

void TGlyphButton::SetGlyphs(int glyph_id, int disabled_glyph_id) {
  glyph_id_ = glyph_id;
  disabled_glyph_id_ = disabled_glyph_id;
  setIcon(qorv::app::GlyphIcon(glyph_id, disabled_glyph_id));
  setIconSize(qorv::app::GlyphBitmap(glyph_id).size());
  update();
}

QPixmap TGlyphButton::ShownGlyph() const {
  return icon().pixmap(iconSize(), devicePixelRatioF(),
                       isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

void TGlyphButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (isEnabled()) click();
    event->accept();
    return;
  }
  QPushButton::keyPressEvent(event);
}
