#include "ui/widgets/path_edit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace tv {

namespace {

// The room QLineEdit leaves on either side of its text inside the contents.
constexpr int kTextSideMargin = 2;

}  // namespace

CPathEdit::CPathEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        setToolTip(text);
        update();
    });
}

QString CPathEdit::ShownText() const {
    if (hasFocus() || echoMode() != QLineEdit::Normal) return text();
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, TextRect().width());
}

QRect CPathEdit::TextRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .marginsRemoved(textMargins())
        .adjusted(kTextSideMargin, 0, -kTextSideMargin, 0);
}

// A path that fits, and any path while it is being edited, is painted by the edit itself.
void CPathEdit::paintEvent(QPaintEvent* event) {
    const QString shown = ShownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(TextRect(), Qt::AlignVCenter | Qt::AlignLeft, shown);
}

}  // namespace tv
