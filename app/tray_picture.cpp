#include "app/tray_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tv {

namespace {

constexpr int kSize = 64;

void DrawDrive(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x5f, 0xa8));
    painter.drawRoundedRect(QRectF(4, 8, 56, 48), 10, 10);
}

// Most of a circle with an arrow head at its end: copies going round.
void DrawCirclingArrow(QPainter& painter) {
    painter.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF circle(18, 18, 28, 28);
    painter.drawArc(circle, 100 * 16, 280 * 16);
    QPainterPath head;
    head.moveTo(33, 10);
    head.lineTo(43, 19);
    head.lineTo(31, 24);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(head);
}

}  // namespace

QIcon TrayPicture() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawDrive(painter);
    DrawCirclingArrow(painter);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace tv
