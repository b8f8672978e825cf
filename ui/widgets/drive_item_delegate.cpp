#include "ui/widgets/drive_item_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include "controller/lists/drive_list_item.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr int kLabelX = 1;
constexpr int kIconGap = 3;   // from the end of the label to the icon
constexpr int kNameGap = 22;  // from the end of the label to the name
// Room above and below the taller of the text and the icon.
constexpr int kItemPadding = 1;

struct ThemedIcon {
    const char* themeName;
    QStyle::StandardPixmap fallback;
};

ThemedIcon IconOfType(int type) {
    switch (type) {
        case kDriveCdRom:
            return {"media-optical", QStyle::SP_DriveCDIcon};
        case kDriveRemovable:
            return {"drive-removable-media", QStyle::SP_DriveFDIcon};
        case kDriveRemote:
            return {"network-server", QStyle::SP_DriveNetIcon};
        case kDriveRamDisk:
            return {"media-flash", QStyle::SP_DriveHDIcon};
        default:
            return {"drive-harddisk", QStyle::SP_DriveHDIcon};
    }
}

DriveItemParts PartsOf(const QModelIndex& index) {
    return SplitDriveItemText(index.data(Qt::DisplayRole).toString().toStdString());
}

void FillBackground(QPainter* painter, const QStyleOptionViewItem& option, bool selected) {
    const QPalette::ColorRole role = selected ? QPalette::Highlight : QPalette::Base;
    painter->fillRect(option.rect, option.palette.brush(QPalette::Active, role));
}

void DrawFocus(QPainter* painter, const QStyleOptionViewItem& option) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = option.rect;
    focus.state |= QStyle::State_KeyboardFocusChange;
    const QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
}

}  // namespace

DriveItemLayout LayOutDriveItem(const QRect& item, const QFontMetrics& metrics,
                                const QString& label) {
    const int width = metrics.horizontalAdvance(label);
    const int iconTop = item.top() + (item.height() - kDriveIconSize) / 2;
    DriveItemLayout layout;
    layout.label = QRect(item.left() + kLabelX, item.top(), width, item.height());
    layout.icon = QRect(item.left() + width + kIconGap, iconTop, kDriveIconSize, kDriveIconSize);
    layout.name = QRect(item.left() + width + kNameGap, item.top(),
                        qMax(0, item.width() - width - kNameGap), item.height());
    return layout;
}

QIcon DriveIcon(int type) {
    const ThemedIcon icon = IconOfType(type);
    return QIcon::fromTheme(icon.themeName, QApplication::style()->standardIcon(icon.fallback));
}

void CDriveItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const DriveItemParts parts = PartsOf(index);
    const QString label = QString::fromStdString(parts.label);
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const DriveItemLayout layout = LayOutDriveItem(option.rect, option.fontMetrics, label);

    painter->save();
    FillBackground(painter, option, selected);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Active,
                                         selected ? QPalette::HighlightedText : QPalette::Text));
    // A label may end a fraction of a pixel beyond its whole-pixel width; it is never cut.
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
    painter->drawText(layout.label, flags, label);
    DriveIcon(index.data(kDriveTypeRole).toInt()).paint(painter, layout.icon);
    painter->drawText(layout.name, flags, QString::fromStdString(parts.name));
    if ((option.state & QStyle::State_HasFocus) != 0) DrawFocus(painter, option);
    painter->restore();
}

QSize CDriveItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const DriveItemParts parts = PartsOf(index);
    const int width = option.fontMetrics.horizontalAdvance(QString::fromStdString(parts.label)) +
                      kNameGap +
                      option.fontMetrics.horizontalAdvance(QString::fromStdString(parts.name));
    const int height = qMax(option.fontMetrics.height(), kDriveIconSize) + 2 * kItemPadding;
    return {width, height};
}

}  // namespace tv
