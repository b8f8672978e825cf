#include "ui/settings_dialog/dialog_images.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "controller/settings_dialog/categories.h"
#include "ui/dialog_font.h"
#include "ui/settings_dialog/dialog_geometry.h"

namespace tv {

namespace {

constexpr int kCaptionPixels = 12;
constexpr int kHeadingPixels = 13;
constexpr qreal kFaceRadius = 4;
constexpr qreal kPanelRadius = 8;

// The two looks of a button face: its gradient from top to bottom, its border and caption.
struct FaceLook {
    QColor top;
    QColor bottom;
    QColor border;
    QColor caption;
    bool bold;
};

const FaceLook kPlainFace{QColor(0xfb, 0xfd, 0xfc), QColor(0xd8, 0xe8, 0xe1),
                          QColor(0x5f, 0x8f, 0x80), QColor(0x1d, 0x3b, 0x33), false};
const FaceLook kPressedFace{QColor(0xff, 0xf0, 0xc8), QColor(0xf3, 0xb6, 0x4c),
                            QColor(0xa8, 0x6a, 0x10), QColor(0x4a, 0x2a, 0x00), true};

// A transparent pixmap of logical size painted at ratio.
QPixmap BlankPixmap(QSize size, qreal ratio) {
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QFont CaptionFont(int pixels, bool bold) {
    QFont font = DialogFont();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void FillVertical(QPainter& painter, const QRectF& rect, QColor top, QColor bottom, qreal radius) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.setBrush(gradient);
    painter.drawRoundedRect(rect, radius, radius);
}

QRectF FaceRect(const ItemRect& rect) {
    return QRectF(rect.left + 0.5, rect.top + 0.5, rect.right - rect.left - 1,
                  rect.bottom - rect.top - 1);
}

void DrawFace(QPainter& painter, const Category& category, const FaceLook& look) {
    const QRectF face = FaceRect(category.rect);
    painter.setPen(QPen(look.border, 1));
    FillVertical(painter, face, look.top, look.bottom, kFaceRadius);
    painter.setPen(look.caption);
    painter.setFont(CaptionFont(kCaptionPixels, look.bold));
    painter.drawText(face, Qt::AlignCenter, QString::fromUtf8(category.label));
}

// The dark panel behind the faces at area, with its heading and a rule in each gap between
// groups.
void DrawListPanel(QPainter& painter, const QRect& area) {
    painter.save();
    painter.translate(area.topLeft());
    const QRectF panel(0.5, 0.5, area.width() - 1, area.height() - 1);
    painter.setPen(QPen(QColor(0x1f, 0x42, 0x38), 1));
    FillVertical(painter, panel, QColor(0x3d, 0x7a, 0x66), QColor(0x24, 0x4f, 0x43), kPanelRadius);
    painter.setPen(QColor(0xf2, 0xfa, 0xf6));
    painter.setFont(CaptionFont(kHeadingPixels, true));
    painter.drawText(QRectF(0, 6, area.width(), 20), Qt::AlignCenter,
                     QString::fromUtf8(kCategoryListHeading));
    painter.setPen(QPen(QColor(0x9c, 0xc9, 0xb8, 0x90), 1));
    for (int y : {130, 287}) painter.drawLine(QPointF(24, y + 0.5), QPointF(193, y + 0.5));
    painter.restore();
}

QPixmap CategoryList(qreal ratio, const FaceLook& look) {
    QPixmap pixmap = BlankPixmap(kCategoryListArea.size(), ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Category& category : kCategories) DrawFace(painter, category, look);
    return pixmap;
}

// A leaf on a vine: the mark of the icon.
void DrawLeafMark(QPainter& painter, qreal size) {
    const QRectF square(0.5, 0.5, size - 1, size - 1);
    painter.setPen(Qt::NoPen);
    FillVertical(painter, square, QColor(0x4f, 0x9a, 0x7f), QColor(0x1f, 0x4f, 0x42), size / 5);
    QPainterPath leaf;
    leaf.moveTo(size * 0.22, size * 0.80);
    leaf.cubicTo(size * 0.20, size * 0.35, size * 0.50, size * 0.18, size * 0.82, size * 0.18);
    leaf.cubicTo(size * 0.82, size * 0.55, size * 0.58, size * 0.80, size * 0.22, size * 0.80);
    painter.setBrush(QColor(0xe8, 0xf7, 0xd8));
    painter.drawPath(leaf);
    painter.setPen(QPen(QColor(0x2f, 0x6b, 0x57), qMax<qreal>(1, size / 20)));
    painter.drawLine(QPointF(size * 0.26, size * 0.76), QPointF(size * 0.70, size * 0.30));
}

}  // namespace

QPixmap DialogBackground(QSize client, qreal ratio) {
    client = ClientSizeAtLeastMinimum(client);
    QPixmap pixmap = BlankPixmap(client, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, client.height());
    gradient.setColorAt(0, QColor(0xee, 0xf6, 0xf1));
    gradient.setColorAt(1, QColor(0xcf, 0xe4, 0xdb));
    painter.fillRect(QRect(QPoint(0, 0), client), gradient);
    painter.setPen(QPen(QColor(0xa9, 0xc8, 0xbc), 1));
    painter.setBrush(QColor(0xfd, 0xfe, 0xfd));
    painter.drawRoundedRect(QRectF(PageRectAt(client)).adjusted(0.5, 0.5, -0.5, -0.5), kPanelRadius,
                            kPanelRadius);
    DrawListPanel(painter, CategoryPanelAt(client));
    return pixmap;
}

QPixmap CategoryListImage(qreal ratio) { return CategoryList(ratio, kPlainFace); }

QPixmap CategoryListSelectedImage(qreal ratio) { return CategoryList(ratio, kPressedFace); }

QPixmap ExplanationBackdrop(QSize size, qreal ratio) {
    QPixmap pixmap = BlankPixmap(size, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xa9, 0xc8, 0xbc), 1));
    FillVertical(painter, QRectF(0.5, 0.5, size.width() - 1, size.height() - 1),
                 QColor(0xff, 0xff, 0xff), QColor(0xe3, 0xf1, 0xea), kPanelRadius);
    return pixmap;
}

QIcon DialogIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap = BlankPixmap(QSize(size, size), 1);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        DrawLeafMark(painter, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace tv
