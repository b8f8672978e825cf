// CFolderListCtrl, an explorer-like list of one folder: "名前", "ｻｲｽﾞ", "種類", "更新日時", led
// by the item "*上の階層へ*", folders first, each by name in the program's locale. A thread fills
// it, so that a large or slow folder never holds up the window, each entry taking its place as it
// arrives; double-clicking the up item or a folder changes to it, a file opens with the
// desktop's program for it.
#pragma once

#include <QString>
#include <QTimer>
#include <QTreeWidget>
#include <cstdint>
#include <mutex>
#include <vector>

#include "controller/lists/folder_list_fill.h"
#include "platform/file_system.h"
#include "ui/widgets/folder_list_order.h"

namespace tv {

constexpr const char* kFolderListUpItem = "*上の階層へ*";

class CFolderListCtrl : public QTreeWidget {
    Q_OBJECT
  public:
    explicit CFolderListCtrl(QWidget* parent = nullptr);
    ~CFolderListCtrl() override;

    // Empties the list and fills it with folder's entries; a fill still running is stopped
    // first. A folder that cannot be listed leaves the list empty.
    void ShowFolder(const QString& folder);
    QString Folder() const { return folder_; }

  signals:
    // The fill of the folder shown last has ended; failed when it could not be listed.
    void filled(bool failed);

  private:
    // What the filling thread has found and the list has not shown yet.
    struct Arrivals {
        std::vector<FileStatus> entries;
        bool ended = false;
        bool failed = false;
    };
    // Shows a slice of the arrived entries, so the window answers between slices however many
    // entries the thread finds at once; ends the fill when all have been shown.
    void ShowArrivals();
    // Puts item in its place among the entries shown.
    void InsertInOrder(QTreeWidgetItem* item);
    void Open(QTreeWidgetItem* item);

    QString folder_;
    FolderListOrder order_;
    std::mutex arrivalsLock_;
    Arrivals arrivals_;
    QTimer arrivalsTimer_;
    FolderListFill filler_;
};

}  // namespace tv
