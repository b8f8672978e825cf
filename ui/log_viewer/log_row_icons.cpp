#include "ui/log_viewer/log_row_icons.h"

#include <QPainter>
#include <QPainterPath>

namespace tv {

namespace {

// A disc in the icon's colour with a white mark drawn by mark.
template <typename Mark>
QPixmap Badge(const QColor& color, Mark mark) {
    QPixmap pixmap(kLogRowIconSize, kLogRowIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(color.darker(140));
    painter.setBrush(color);
    painter.drawEllipse(QRectF(0.5, 0.5, kLogRowIconSize - 1, kLogRowIconSize - 1));
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    mark(painter);
    return pixmap;
}

QPixmap OkPixmap() {
    return Badge(QColor(0x2E, 0x9D, 0x3A), [](QPainter& p) {
        QPainterPath tick;
        tick.moveTo(4, 8.5);
        tick.lineTo(7, 11.5);
        tick.lineTo(12, 5);
        p.drawPath(tick);
    });
}

QPixmap ErrorPixmap() {
    return Badge(QColor(0xD3, 0x2F, 0x2F), [](QPainter& p) {
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
    });
}

QPixmap SkippedPixmap() {
    return Badge(QColor(0xE8, 0xA2, 0x00),
                 [](QPainter& p) { p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8)); });
}

}  // namespace

const QPixmap& LogRowPixmap(LogRowIcon icon) {
    static const QPixmap pixmaps[] = {OkPixmap(), ErrorPixmap(), SkippedPixmap()};
    return pixmaps[static_cast<int>(icon)];
}

}  // namespace tv
