#include "ui/widgets/drive_list_box.h"

#include <QScrollBar>

#include "ui/widgets/drive_item_delegate.h"

namespace tv {

namespace {

QListWidgetItem* MakeItem(const DriveListRow& row) {
    auto* item = new QListWidgetItem(QString::fromStdString(DriveListItemText(row)));
    item->setData(kDriveLetterRole, QChar(row.letter));
    item->setData(kDriveTypeRole, row.type);
    return item;
}

}  // namespace

CDriveListBox::CDriveListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new CDriveItemDelegate(this));
    setUniformItemSizes(true);
}

void CDriveListBox::SetDrives(const std::vector<DriveListRow>& rows, unsigned filter) {
    const int scrolled = verticalScrollBar()->value();
    clear();
    for (const DriveListRow& row : rows) {
        if (DriveListShows(row.type, filter)) addItem(MakeItem(row));
    }
    verticalScrollBar()->setValue(scrolled);
}

char CDriveListBox::LetterAt(int row) const {
    const QListWidgetItem* found = item(row);
    if (found == nullptr) return 0;
    return static_cast<char>(found->data(kDriveLetterRole).toChar().toLatin1());
}

}  // namespace tv
