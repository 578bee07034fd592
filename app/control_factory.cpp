#include "app/control_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <vector>

#include "app/dialog_style.h"
#include "app/elided_controls.h"
#include "app/glyph_button.h"
#include "app/text_codec.h"

namespace qorv::app {
namespace {

constexpr int kEditTextLimit = 255;

QWidget* CreateWidget(const ControlTemplate& control, QWidget* parent) {
  const QString label = FromCp1252(control.Label);
  switch (control.Kind) {
    case ControlKind::kLabel:
      return new QLabel(label, parent);
    case ControlKind::kEtchedFrame: {
      // An etched frame shows no text, whatever its template label says.
      auto* frame = new QFrame(parent);
      frame->setFrameShape(QFrame::Box);
      frame->setFrameShadow(QFrame::Sunken);
      return frame;
    }
    case ControlKind::kStatic: {
      QLabel* text = control.Style & kEndElided ? new TElidedLabel(parent) : new QLabel(parent);
      Qt::Alignment alignment = Qt::AlignLeft;
      if (control.Style & kCentred) alignment = Qt::AlignHCenter;
      if (control.Style & kRightAligned) alignment = Qt::AlignRight;
      text->setAlignment(alignment | Qt::AlignTop);
      text->setTextFormat(Qt::PlainText);
      if (control.Style & kInvisible) text->hide();
      return text;
    }
    case ControlKind::kComboBox: {
      auto* combo = new TElidedComboBox(parent);
      combo->setEditable(false);
      return combo;
    }
    case ControlKind::kGlyphButton:
      return new TGlyphButton(parent);
    case ControlKind::kScrollBar:
      return new QScrollBar(Qt::Horizontal, parent);
    case ControlKind::kProgressGauge: {
      auto* gauge = new QProgressBar(parent);
      gauge->setTextVisible(false);
      return gauge;
    }
    case ControlKind::kGroupBox:
      return new TemplateGroupBox(label, parent);
    case ControlKind::kRadioButton:
      return new QRadioButton(label, parent);
    case ControlKind::kCheckBox:
      return new QCheckBox(label, parent);
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(label, parent);
      edit->setMaxLength(kEditTextLimit);
      edit->setFrame(control.Style & kBorder);
      if (control.Style & kDigitsOnly) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
      }
      return edit;
    }
  }
  return new QWidget(parent);
}

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::kLabel && kind != ControlKind::kEtchedFrame &&
         kind != ControlKind::kStatic && kind != ControlKind::kGroupBox &&
         kind != ControlKind::kProgressGauge;
}

void SetFocusPolicy(const ControlTemplate& control, QWidget* widget) {
  if (!TakesFocus(control.Kind)) {
    widget->setFocusPolicy(Qt::NoFocus);
  } else if (control.Style & kTabStop) {
    widget->setFocusPolicy(Qt::StrongFocus);
  } else {
    widget->setFocusPolicy(Qt::ClickFocus);
  }
}

// Combo boxes take the height their font needs; the template's height is that of the open list.
QRect PlaceControl(const ControlTemplate& control, QWidget* widget, DialogBaseUnits units) {
  QRect rect = DialogToPixels(control.X, control.Y, control.W, control.H, units);
  if (control.Kind == ControlKind::kComboBox) {
    auto* combo = static_cast<QComboBox*>(widget);
    const int item_height = std::max(1, combo->fontMetrics().height());
    combo->setMaxVisibleItems(std::max(1, rect.height() / item_height - 1));
    rect.setHeight(combo->sizeHint().height());
  }
  return rect;
}

}  // namespace

bool TemplateGroupBox::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    if (buddy_ != nullptr) buddy_->setFocus(Qt::ShortcutFocusReason);
    return true;
  }
  return QGroupBox::event(event);
}

std::map<int, QWidget*> CreateTemplateControls(const DialogTemplate& dialog, QWidget* parent,
                                               DialogBaseUnits units) {
  std::map<int, QWidget*> controls;
  std::vector<std::pair<const ControlTemplate*, QWidget*>> created;
  auto* control_style = new DialogControlStyle(units, parent);
  for (const ControlTemplate& control : dialog.Controls) {
    QWidget* widget = CreateWidget(control, parent);
    if (control.Kind == ControlKind::kCheckBox || control.Kind == ControlKind::kRadioButton) {
      widget->setStyle(control_style);
    }
    SetFocusPolicy(control, widget);
    widget->setGeometry(PlaceControl(control, widget, units));
    if (control.Id != kNoControlId) {
      widget->setObjectName(QStringLiteral("control_%1").arg(control.Id));
      controls[control.Id] = widget;
    }
    created.emplace_back(&control, widget);
  }
  // A mnemonic of a label or a group box leads to the first control after it that takes focus.
  for (std::size_t i = 0; i < created.size(); ++i) {
    const auto [control, widget] = created[i];
    if (control->Kind != ControlKind::kLabel && control->Kind != ControlKind::kGroupBox) continue;
    for (std::size_t j = i + 1; j < created.size(); ++j) {
      if (!TakesFocus(created[j].first->Kind)) continue;
      if (auto* label = qobject_cast<QLabel*>(widget)) label->setBuddy(created[j].second);
      if (auto* group = qobject_cast<TemplateGroupBox*>(widget)) group->SetBuddy(created[j].second);
      break;
    }
  }
  return controls;
}

int InsertSorted(QComboBox* combo, const QString& text, const QVariant& data) {
  int index = 0;
  while (index < combo->count()) {
    const QString other = combo->itemText(index);
    const int order = QString::compare(text, other, Qt::CaseInsensitive);
    if (order < 0 || (order == 0 && text < other)) break;
    ++index;
  }
  combo->insertItem(index, text, data);
  return index;
}

}  // namespace qorv::app
