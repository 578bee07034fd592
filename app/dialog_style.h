// The style of the dialog's check boxes and radio buttons: the application's style, with the
// indicator and the gap before the label sized from the dialog units, as dialog templates are
// laid out for. A 9-unit-high control then holds its indicator whole, and a label measured for
// the dialog font has the room it was given, at any scale factor or font DPI.
#pragma once

#include <QProxyStyle>

#include "app/dialog_template.h"

namespace qorv::app {

class DialogControlStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // Over the application's current style; `parent` owns it.
  DialogControlStyle(DialogBaseUnits units, QObject* parent);

  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;

  // The indicator's side: one line of the dialog font, the size a dialog's check box has for it.
  int IndicatorSize() const { return units_.Height; }
  // The gap between the indicator and the label: half an average character.
  int LabelSpacing() const { return (units_.Width + 1) / 2; }

 private:
  DialogBaseUnits units_;
};

}  // namespace qorv::app
