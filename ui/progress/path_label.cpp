#include "ui/progress/path_label.h"

#include <QPainter>
#include <QSizePolicy>

namespace tv {

CPathLabel::CPathLabel(QWidget* parent) : QLabel(parent) {
    // The window keeps its size whatever the length of the path.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setMinimumWidth(1);
}

void CPathLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shown);
}

}  // namespace tv
