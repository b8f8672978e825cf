#include "ui/widgets/accessible_progress_bar.h"

namespace tv {

AccessibleProgressBarEx::AccessibleProgressBarEx(CProgressBarEx* bar)
    : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

CProgressBarEx* AccessibleProgressBarEx::bar() const {
    return static_cast<CProgressBarEx*>(widget());
}

void* AccessibleProgressBarEx::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

// The value as a reader says it: the share of the range that the bar fills.
QString AccessibleProgressBarEx::text(QAccessible::Text kind) const {
    if (kind != QAccessible::Value) return QAccessibleWidget::text(kind);
    const int span = bar()->Upper() - bar()->Lower();
    const int percent = span == 0 ? 0 : (bar()->Pos() - bar()->Lower()) * 100 / span;
    return QString::asprintf("%d%%", percent);
}

QVariant AccessibleProgressBarEx::currentValue() const { return bar()->Pos(); }
QVariant AccessibleProgressBarEx::maximumValue() const { return bar()->Upper(); }
QVariant AccessibleProgressBarEx::minimumValue() const { return bar()->Lower(); }

}  // namespace tv
