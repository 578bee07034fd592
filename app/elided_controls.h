// Controls that shorten a text too wide for them with "…" at its end, instead of cutting it off,
// and keep the whole text for the tooltip.
#pragma once

#include <QComboBox>
#include <QLabel>

// A one-line static text (the status line) shown within its first TextWidth() pixels: a hint at
// the right of it stays readable. text() stays the whole text.
class TElidedLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // The width the text may take, from the left of the contents; the whole contents by default.
  void SetTextWidth(int width) { text_width_ = width; }
  int TextWidth() const;
  // What the label paints: its text, elided to TextWidth().
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  int text_width_ = -1;
};

// A drop-down list whose current entry is elided to the box (its tooltip is then the whole entry),
// and whose open list is wide enough for every entry whole.
class TElidedComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit TElidedComboBox(QWidget* parent = nullptr);

  // The current entry as the box paints it.
  QString ShownText() const;
  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect TextRect() const;
};
