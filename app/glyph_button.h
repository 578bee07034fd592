// TGlyphButton: a push button that shows a glyph, and its own disabled glyph while it is disabled
// (buttons without one show their glyph greyed by the style). Glyphs are drawn at the button's
// device pixel ratio (resource_files.h, GlyphIcon).
#pragma once

#include <QPixmap>
#include <QPushButton>

class TGlyphButton : public QPushButton {
  Q_OBJECT

 public:
  explicit TGlyphButton(QWidget* parent = nullptr);

  // Glyphs by bitmap id (see control_ids.h); 0 means none.
  void SetGlyphs(int glyph_id, int disabled_glyph_id = 0);
  int GlyphId() const { return glyph_id_; }
  int DisabledGlyphId() const { return disabled_glyph_id_; }

  // The picture the button shows in its current state, at its device pixel ratio.
  QPixmap ShownGlyph() const;

 protected:
  // Enter presses a focused glyph button, as it does a dialog's focused push button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int glyph_id_ = 0;
  int disabled_glyph_id_ = 0;
};
