#include "app/dialog_style.h"

#include <QApplication>

namespace qorv::app {

DialogControlStyle::DialogControlStyle(DialogBaseUnits units, QObject* parent)
    : QProxyStyle(QApplication::style()->name()), units_(units) {
  setParent(parent);
}

int DialogControlStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                    const QWidget* widget) const {
  switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
      return IndicatorSize();
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
      return LabelSpacing();
    default:
      return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

}  // namespace qorv::app
