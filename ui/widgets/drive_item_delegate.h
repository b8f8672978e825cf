// Draws one item of the drive list: the kind label at the left, the drive's small icon right
// after it and the display name after the icon; the "_" of the item text marks where the label
// ends and is not drawn. Selected items are drawn on the highlight colour, the others on the base
// colour; the item with the focus gets a focus rectangle.
#pragma once

#include <QIcon>
#include <QRect>
#include <QStyledItemDelegate>

class QFontMetrics;

namespace tv {

// Item data roles of the drive list, beside the item text in Qt::DisplayRole.
constexpr int kDriveLetterRole = Qt::UserRole;
constexpr int kDriveTypeRole = Qt::UserRole + 1;

constexpr int kDriveIconSize = 16;

// Where the parts of an item go inside its rectangle: the label at x = 1, the icon at x = label
// width + 3, the name at x = label width + 22 (all from the item's left edge).
struct DriveItemLayout {
    QRect label;
    QRect icon;
    QRect name;
};
DriveItemLayout LayOutDriveItem(const QRect& item, const QFontMetrics& metrics,
                                const QString& label);

// The small icon of a drive type: the icon theme's drive icon, else the style's.
QIcon DriveIcon(int type);

class CDriveItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tv
