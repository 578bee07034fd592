#include "app/elided_controls.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QToolTip>
#include <algorithm>

int TElidedLabel::TextWidth() const {
  const int room = contentsRect().width();
  return text_width_ < 0 ? room : std::min(room, text_width_);
}

QString TElidedLabel::ShownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, TextWidth());
}

void TElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect room = contentsRect();
  if (alignment() & Qt::AlignRight) {
    room.setLeft(room.right() + 1 - TextWidth());
  } else {
    room.setWidth(TextWidth());
  }
  style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), ShownText(),
                        foregroundRole());
}

// An elided text shows itself whole in a tooltip.
bool TElidedLabel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
    const QString shown = ShownText();
    if (shown != text()) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QLabel::event(event);
}

TElidedComboBox::TElidedComboBox(QWidget* parent) : QComboBox(parent) {
  // An entry too wide for the box shows itself whole in the tooltip.
  connect(this, &QComboBox::currentIndexChanged, this,
          [this] { setToolTip(ShownText() != currentText() ? currentText() : QString()); });
}

QRect TElidedComboBox::TextRect() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  // The style's label leaves a pixel each side.
  return style()
      ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
      .adjusted(1, 0, -1, 0);
}

QString TElidedComboBox::ShownText() const {
  return fontMetrics().elidedText(currentText(), Qt::ElideRight, TextRect().width());
}

void TElidedComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  painter.setPen(palette().color(QPalette::Text));
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  option.currentText = ShownText();
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void TElidedComboBox::showPopup() {
  int widest = 0;
  for (int i = 0; i < count(); ++i) {
    widest = std::max(widest, view()->fontMetrics().horizontalAdvance(itemText(i)));
  }
  // Room for the entries' margins, the frame and a scroll bar beside them.
  const int extra = 4 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                    style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                    2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
  view()->setMinimumWidth(std::max(width(), widest + extra));
  QComboBox::showPopup();
}
