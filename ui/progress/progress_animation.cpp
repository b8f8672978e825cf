#include "ui/progress/progress_animation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tv {

namespace {

constexpr int kWidth = 272;
constexpr int kHeight = 60;

void DrawFolder(QPainter& painter, const QRectF& box) {
    const qreal tab = box.width() * 0.4;
    QPainterPath path;
    path.moveTo(box.left(), box.top() + 6);
    path.lineTo(box.left() + 4, box.top());
    path.lineTo(box.left() + tab, box.top());
    path.lineTo(box.left() + tab + 4, box.top() + 6);
    path.lineTo(box.right(), box.top() + 6);
    path.lineTo(box.right(), box.bottom());
    path.lineTo(box.left(), box.bottom());
    path.closeSubpath();
    painter.setPen(QPen(QColor(150, 110, 20), 1.2));
    painter.setBrush(QColor(245, 200, 80));
    painter.drawPath(path);
    painter.setBrush(QColor(252, 220, 120));
    painter.drawRect(QRectF(box.left(), box.top() + 12, box.width(), box.height() - 12));
}

void DrawSheet(QPainter& painter, const QPointF& centre, qreal scale, qreal angle) {
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    painter.scale(scale, scale);
    const QRectF sheet(-8, -10, 16, 20);
    painter.setPen(QPen(QColor(90, 90, 110), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.setPen(QPen(QColor(120, 140, 200), 1));
    for (int line = 0; line < 4; ++line) {
        const qreal y = sheet.top() + 5 + line * 4;
        painter.drawLine(QPointF(sheet.left() + 3, y), QPointF(sheet.right() - 3, y));
    }
    painter.restore();
}

void DrawWasteBin(QPainter& painter, const QRectF& box) {
    QPainterPath body;
    body.moveTo(box.left() + 3, box.top() + 8);
    body.lineTo(box.right() - 3, box.top() + 8);
    body.lineTo(box.right() - 7, box.bottom());
    body.lineTo(box.left() + 7, box.bottom());
    body.closeSubpath();
    painter.setPen(QPen(QColor(60, 70, 90), 1.2));
    painter.setBrush(QColor(170, 185, 205));
    painter.drawPath(body);
    for (int rib = 1; rib < 4; ++rib) {
        const qreal x = box.left() + 7 + rib * (box.width() - 14) / 4;
        painter.drawLine(QPointF(x, box.top() + 12), QPointF(x, box.bottom() - 4));
    }
    painter.setBrush(QColor(120, 135, 160));
    painter.drawRect(QRectF(box.left(), box.top() + 3, box.width(), 5));
}

}  // namespace

CProgressAnimation::CProgressAnimation(QWidget* parent) : QWidget(parent) {
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize CProgressAnimation::sizeHint() const { return QSize(kWidth, kHeight); }

void CProgressAnimation::Open(Kind kind) {
    kind_ = kind;
    frame_ = 0;
    update();
}

void CProgressAnimation::Advance() {
    frame_ = (frame_ + 1) % kFrames;
    update();
}

void CProgressAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The picture keeps its size and sits in the middle of the widget.
    painter.translate((width() - kWidth) / 2.0, (height() - kHeight) / 2.0);
    const qreal progress = static_cast<qreal>(frame_) / (kFrames - 1);
    const QRectF from(20, 18, 46, 34);
    if (kind_ == Kind::Copying) {
        const QRectF to(kWidth - 66, 18, 46, 34);
        DrawFolder(painter, from);
        DrawFolder(painter, to);
        // An arc from the first folder over to the second.
        const qreal x = from.center().x() + progress * (to.center().x() - from.center().x());
        const qreal y = from.top() + 4 - std::sin(progress * M_PI) * 16;
        DrawSheet(painter, QPointF(x, y), 1.0, -10 + progress * 20);
    } else {
        const QRectF bin(kWidth - 62, 14, 36, 42);
        DrawFolder(painter, from);
        DrawWasteBin(painter, bin);
        // Up out of the folder, across, then down into the bin, shrinking as it falls.
        const qreal x = from.center().x() + progress * (bin.center().x() - from.center().x());
        const qreal lift = std::sin(progress * M_PI * 0.8) * 22;
        const qreal y = from.top() + 4 - lift + progress * progress * 30;
        DrawSheet(painter, QPointF(x, y), 1.0 - 0.45 * progress, progress * 70);
    }
}

}  // namespace tv
