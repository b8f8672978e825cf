#include "ui/widgets/category_list_box.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace tv {

namespace {

constexpr int kIconSize = 16;
constexpr int kTextGap = 4;

// Paints an item: its background (the selected colour when selected, framed in the shadow
// colour), the icon at the left and the text after it.
class CategoryItemDelegate : public QStyledItemDelegate {
  public:
    explicit CategoryItemDelegate(CCategoryListBox* list)
        : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const CategoryListColors& colors = list_->Colors();
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        const QRect box = option.rect;
        painter->fillRect(box, selected ? colors.selectedBackground : colors.background);
        if (selected) {
            painter->setPen(colors.darkShadow);
            painter->drawRect(box.adjusted(0, 0, -1, -1));
        }
        QRect text = box.adjusted(2, 0, -2, 0);
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        if (!icon.isNull()) {
            const QRect iconRect(text.left(), box.top() + (box.height() - kIconSize) / 2, kIconSize,
                                 kIconSize);
            icon.paint(painter, iconRect);
            text.setLeft(iconRect.right() + 1 + kTextGap);
        }
        painter->setPen(selected ? colors.selectedText : option.palette.color(QPalette::Text));
        painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize text = QStyledItemDelegate::sizeHint(option, index);
        return QSize(text.width(), std::max(text.height(), kIconSize + 2));
    }

  private:
    CCategoryListBox* list_;
};

}  // namespace

CCategoryListBox::CCategoryListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new CategoryItemDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    viewport()->setCursor(Qt::PointingHandCursor);
    SetColors(colors_);
}

void CCategoryListBox::SetColors(const CategoryListColors& colors) {
    colors_ = colors;
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, colors.background);
    viewport()->setPalette(palette);
    viewport()->setAutoFillBackground(true);
    viewport()->update();
}

void CCategoryListBox::AddItem(const QString& text, const QIcon& icon) {
    addItem(new QListWidgetItem(icon, text));
}

}  // namespace tv
