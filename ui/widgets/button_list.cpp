#include "ui/widgets/button_list.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/widgets/accessible_widgets.h"

namespace tv {

namespace {

// The focus mark: a dashed outline just outside the marked face, in the light colour the list's
// heading is drawn in, so it shows on the dark panel beside pressed and plain faces alike.
const QColor kFocusMarkColour(0xf2, 0xfa, 0xf6);
constexpr int kFocusMarkGap = 2;
constexpr qreal kFocusMarkRadius = 4;

}  // namespace

CButtonList::CButtonList(std::vector<ButtonListItem> items, ButtonListImage normal,
                         ButtonListImage selected, QWidget* parent)
    : QWidget(parent), items_(std::move(items)), makeNormal_(normal), makeSelected_(selected) {
    InstallAccessibleWidgets();
    setFocusPolicy(Qt::StrongFocus);
    MatchPixelRatio();
    setFixedSize(normal_.deviceIndependentSize().toSize());
}

int CButtonList::SelectedId() const {
    return selectedIndex_ < 0 ? -1 : items_[static_cast<size_t>(selectedIndex_)].id;
}

QString CButtonList::SelectedLabel() const {
    return selectedIndex_ < 0 ? QString() : items_[static_cast<size_t>(selectedIndex_)].label;
}

int CButtonList::ItemAt(const QPoint& point) const {
    for (size_t index = 0; index < items_.size(); ++index) {
        if (items_[index].rect.contains(point)) return static_cast<int>(index);
    }
    return -1;
}

void CButtonList::MatchPixelRatio() {
    const qreal ratio = devicePixelRatioF();
    if (!normal_.isNull() && normal_.devicePixelRatio() == ratio) return;
    normal_ = makeNormal_(ratio);
    selected_ = makeSelected_(ratio);
}

void CButtonList::paintEvent(QPaintEvent* /*event*/) {
    MatchPixelRatio();
    QPainter painter(this);
    painter.drawPixmap(0, 0, normal_);
    if (selectedIndex_ >= 0) {
        const QRect face = items_[static_cast<size_t>(selectedIndex_)].rect;
        const qreal ratio = selected_.devicePixelRatio();
        const QRectF source(face.x() * ratio, face.y() * ratio, face.width() * ratio,
                            face.height() * ratio);
        painter.drawPixmap(QRectF(face), selected_, source);
    }
    if (hasFocus()) DrawFocusMark(painter);
}

void CButtonList::DrawFocusMark(QPainter& painter) const {
    if (items_.empty()) return;
    const QRectF face = items_[static_cast<size_t>(focusIndex_)].rect;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kFocusMarkColour, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(
        face.adjusted(-kFocusMarkGap, -kFocusMarkGap, kFocusMarkGap, kFocusMarkGap)
            .adjusted(0.5, 0.5, 0.5, 0.5),
        kFocusMarkRadius, kFocusMarkRadius);
}

void CButtonList::SetFocusIndex(int index) {
    if (items_.empty()) return;
    focusIndex_ = std::clamp(index, 0, Count() - 1);
    update();
    AnnounceFocus();
}

void CButtonList::AnnounceFocus() {
    if (!hasFocus() || items_.empty()) return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(focusIndex_);
    QAccessible::updateAccessibility(&event);
}

void CButtonList::Click(int index) {
    if (index < 0 || index >= Count()) return;
    selectedIndex_ = index;
    focusIndex_ = index;
    repaint();
    QAccessibleEvent event(this, QAccessible::SelectionAdd);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
    emit ItemClicked();
}

bool CButtonList::SelectId(int id) {
    for (size_t index = 0; index < items_.size(); ++index) {
        if (items_[index].id != id) continue;
        selectedIndex_ = static_cast<int>(index);
        focusIndex_ = selectedIndex_;
        update();
        return true;
    }
    return false;
}

void CButtonList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int index = ItemAt(event->position().toPoint());
    if (index >= 0) Click(index);
}

void CButtonList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            SetFocusIndex(focusIndex_ - 1);
            break;
        case Qt::Key_Down:
            SetFocusIndex(focusIndex_ + 1);
            break;
        case Qt::Key_Home:
            SetFocusIndex(0);
            break;
        case Qt::Key_End:
            SetFocusIndex(Count() - 1);
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Click(focusIndex_);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void CButtonList::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    AnnounceFocus();
}

void CButtonList::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace tv
