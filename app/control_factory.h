// Builds the widgets of a dialog template: one widget per control, placed by its rectangle in
// dialog units, with the kind, label, mnemonic and focus behaviour its style asks for.
#pragma once

#include <QGroupBox>
#include <QWidget>
#include <map>

class QComboBox;

#include "app/dialog_template.h"

namespace qorv::app {

// A group box whose mnemonic moves the focus to the first control after it in the template.
class TemplateGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  using QGroupBox::QGroupBox;
  void SetBuddy(QWidget* buddy) { buddy_ = buddy; }

 protected:
  bool event(QEvent* event) override;

 private:
  QWidget* buddy_ = nullptr;
};

// Creates every control of `dialog` as a child of `parent`, in template order (the tab order).
// Returns the controls that have ids.
std::map<int, QWidget*> CreateTemplateControls(const DialogTemplate& dialog, QWidget* parent,
                                               DialogBaseUnits units);

// Inserts `text` into a sorted combo box at its place: case-insensitive order, ties by code.
int InsertSorted(QComboBox* combo, const QString& text, const QVariant& data = {});

}  // namespace qorv::app
