#include "ui/widgets/button_list.h"

#include <QMouseEvent>
#include <QPainter>

namespace tv {

CButtonList::CButtonList(std::vector<ButtonListItem> items, ButtonListImage normal,
                         ButtonListImage selected, QWidget* parent)
    : QWidget(parent), items_(std::move(items)), makeNormal_(normal), makeSelected_(selected) {
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
    if (selectedIndex_ < 0) return;
    const QRect face = items_[static_cast<size_t>(selectedIndex_)].rect;
    const qreal ratio = selected_.devicePixelRatio();
    const QRectF source(face.x() * ratio, face.y() * ratio, face.width() * ratio,
                        face.height() * ratio);
    painter.drawPixmap(QRectF(face), selected_, source);
}

bool CButtonList::SelectId(int id) {
    for (size_t index = 0; index < items_.size(); ++index) {
        if (items_[index].id != id) continue;
        selectedIndex_ = static_cast<int>(index);
        update();
        return true;
    }
    return false;
}

void CButtonList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int index = ItemAt(event->position().toPoint());
    if (index < 0) return;
    selectedIndex_ = index;
    repaint();
    emit ItemClicked();
}

}  // namespace tv
