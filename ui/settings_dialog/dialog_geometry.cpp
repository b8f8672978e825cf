#include "ui/settings_dialog/dialog_geometry.h"

#include "ui/settings_dialog/dialog_images.h"

namespace tv {

namespace {

QSize GrowthOf(QSize client) { return ClientSizeAtLeastMinimum(client) - kDialogClientSize; }

}  // namespace

QSize ClientSizeAtLeastMinimum(QSize size) { return size.expandedTo(kDialogClientSize); }

QRect PageRectAt(QSize client) {
    const QSize growth = GrowthOf(client);
    return kPageRect.adjusted(0, 0, growth.width(), growth.height());
}

QRect CategoryPanelAt(QSize client) {
    return kCategoryListArea.adjusted(0, 0, 0, GrowthOf(client).height());
}

}  // namespace tv
