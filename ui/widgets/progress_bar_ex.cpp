#include "ui/widgets/progress_bar_ex.h"

#include <QAccessible>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "ui/widgets/accessible_widgets.h"

namespace tv {

QColor ColourOfReference(uint32_t colourRef) {
    return QColor(colourRef & 0xFF, (colourRef >> 8) & 0xFF, (colourRef >> 16) & 0xFF);
}

CProgressBarEx::CProgressBarEx(QWidget* parent) : QWidget(parent) {
    InstallAccessibleWidgets();
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CProgressBarEx::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = std::max(lower, upper);
    SetPos(position_);
}

void CProgressBarEx::SetPos(int position) {
    const int held = std::clamp(position, lower_, upper_);
    update();
    if (held == position_) return;
    position_ = held;
    QAccessibleValueChangeEvent event(this, position_);
    QAccessible::updateAccessibility(&event);
}

void CProgressBarEx::SetBarColor(uint32_t colourRef) {
    colourRef_ = colourRef;
    update();
}

QSize CProgressBarEx::sizeHint() const { return {120, fontMetrics().height() + 6}; }

void CProgressBarEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect();
    painter.fillRect(frame, palette().base());
    const QRect inside = frame.adjusted(2, 2, -2, -2);
    const int span = upper_ - lower_;
    const int filled = span == 0 ? 0 : inside.width() * (position_ - lower_) / span;
    painter.fillRect(QRect(inside.left(), inside.top(), filled, inside.height()),
                     ColourOfReference(colourRef_));
    QStyleOptionFrame option;
    option.initFrom(this);
    option.rect = frame;
    option.lineWidth = 1;
    option.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Frame, &option, &painter, this);
}

}  // namespace tv
