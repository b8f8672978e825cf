#include "ui/widgets/focus_order.h"

#include <QGridLayout>
#include <QLayout>
#include <QWidget>
#include <algorithm>

namespace tv {

namespace {

bool TakesTabFocus(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

void CollectFromLayout(const QLayout* layout, std::vector<QWidget*>* order);

void CollectFromWidget(QWidget* widget, std::vector<QWidget*>* order) {
    if (widget->isWindow()) return;
    if (TakesTabFocus(widget)) {
        order->push_back(widget);
    } else if (widget->layout() != nullptr) {
        CollectFromLayout(widget->layout(), order);
    }
}

void CollectFromItem(QLayoutItem* item, std::vector<QWidget*>* order) {
    if (QWidget* widget = item->widget()) {
        CollectFromWidget(widget, order);
    } else if (const QLayout* inner = item->layout()) {
        CollectFromLayout(inner, order);
    }
}

// A grid's items row by row, left to right within a row.
std::vector<QLayoutItem*> GridItemsInReadingOrder(const QGridLayout* grid) {
    struct Placed {
        int row;
        int column;
        QLayoutItem* item;
    };
    std::vector<Placed> placed;
    for (int index = 0; index < grid->count(); ++index) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        placed.push_back({row, column, grid->itemAt(index)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    std::vector<QLayoutItem*> items;
    for (const Placed& entry : placed) items.push_back(entry.item);
    return items;
}

void CollectFromLayout(const QLayout* layout, std::vector<QWidget*>* order) {
    if (const auto* grid = qobject_cast<const QGridLayout*>(layout)) {
        for (QLayoutItem* item : GridItemsInReadingOrder(grid)) CollectFromItem(item, order);
        return;
    }
    std::vector<QLayoutItem*> items;
    for (int index = 0; index < layout->count(); ++index) items.push_back(layout->itemAt(index));
    const auto* box = qobject_cast<const QBoxLayout*>(layout);
    if (box != nullptr && (box->direction() == QBoxLayout::RightToLeft ||
                           box->direction() == QBoxLayout::BottomToTop)) {
        std::reverse(items.begin(), items.end());
    }
    for (QLayoutItem* item : items) CollectFromItem(item, order);
}

}  // namespace

std::vector<QWidget*> FocusOrderOf(const QWidget* container) {
    std::vector<QWidget*> order;
    if (container->layout() != nullptr) CollectFromLayout(container->layout(), &order);
    return order;
}

void ChainFocus(const std::vector<QWidget*>& widgets) {
    for (size_t index = 1; index < widgets.size(); ++index) {
        QWidget::setTabOrder(widgets[index - 1], widgets[index]);
    }
}

void OrderTabsAsLaidOut(QWidget* container) { ChainFocus(FocusOrderOf(container)); }

QWidget* FirstFocusable(const QWidget* container) {
    for (QWidget* widget : FocusOrderOf(container)) {
        if (widget->isVisibleTo(container) && widget->isEnabled()) return widget;
    }
    return nullptr;
}

}  // namespace tv
