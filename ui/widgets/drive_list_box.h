// CDriveListBox, the list of logical drives on the settings pages: one item per drive of the
// kinds the page asks for, in letter order, each showing its kind label, its icon and its
// display name. The page gives it plain rows, so it needs no drive table of its own.
#pragma once

#include <QListWidget>
#include <vector>

#include "controller/lists/drive_list_item.h"

namespace tv {

class CDriveListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit CDriveListBox(QWidget* parent = nullptr);

    // Replaces the items by the rows whose drive type passes filter (kDriveList* bits), in the
    // order of rows. The scroll position is kept as far as the new items allow.
    void SetDrives(const std::vector<DriveListRow>& rows, unsigned filter);

    // The drive letter of the item in row; 0 when there is no such item.
    char LetterAt(int row) const;

    // The list only shows a selection its owner makes: clicks do nothing, and the keys move
    // the focus over the items (so a screen reader reads them) but never the selection.
    void ShowSelectionOnly();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool showSelectionOnly_ = false;
};

}  // namespace tv
