// What assistive technology reads of a CProgressBarEx: a progress bar whose value is its position
// within its range, named by its label (or its accessible name).
#pragma once

#include <QAccessibleWidget>

#include "ui/widgets/progress_bar_ex.h"

namespace tv {

class AccessibleProgressBarEx : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit AccessibleProgressBarEx(CProgressBarEx* bar);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}  // the owner sets the position
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 0; }

  private:
    CProgressBarEx* bar() const;
};

}  // namespace tv
