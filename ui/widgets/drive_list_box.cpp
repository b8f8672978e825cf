#include "ui/widgets/drive_list_box.h"

#include <QKeyEvent>
#include <QScrollBar>

#include "ui/widgets/drive_item_delegate.h"

namespace tv {

namespace {

QListWidgetItem* MakeItem(const DriveListRow& row) {
    const std::string text = DriveListItemText(row);
    auto* item = new QListWidgetItem(QString::fromStdString(text));
    // Read aloud as drawn: the kind label and the display name, without the mark between them.
    const DriveItemParts parts = SplitDriveItemText(text);
    item->setData(Qt::AccessibleTextRole, QString::fromStdString(parts.label).simplified() + " " +
                                              QString::fromStdString(parts.name));
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

void CDriveListBox::ShowSelectionOnly() {
    showSelectionOnly_ = true;
    viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CDriveListBox::keyPressEvent(QKeyEvent* event) {
    const bool selects = event->key() == Qt::Key_Space || event->key() == Qt::Key_Select ||
                         event->matches(QKeySequence::SelectAll);
    if (showSelectionOnly_ && selects) {
        event->ignore();
        return;
    }
    QListWidget::keyPressEvent(event);
}

char CDriveListBox::LetterAt(int row) const {
    const QListWidgetItem* found = item(row);
    if (found == nullptr) return 0;
    return static_cast<char>(found->data(kDriveLetterRole).toChar().toLatin1());
}

}  // namespace tv
