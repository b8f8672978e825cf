#include "ui/widgets/folder_list_ctrl.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QMimeDatabase>
#include <QUrl>
#include <algorithm>

#include "controller/lists/folder_list_texts.h"
#include "platform/date_time.h"

namespace tv {

namespace {

enum Column { kName, kSize, kType, kModified };
constexpr int kIsFolderRole = Qt::UserRole;
constexpr int kIsUpRole = Qt::UserRole + 1;
// Entries shown per turn of the event loop, and how often a turn comes while a fill runs.
constexpr size_t kEntriesPerSlice = 200;
constexpr int kArrivalsInterval = 10;  // ms

bool IsShownAsFolder(const FileStatus& entry) {
    return entry.IsDirectory() || entry.kind == EntryKind::OtherMount;
}

QString TypeName(const FileStatus& entry) {
    static const QMimeDatabase kMimeTypes;
    return kMimeTypes
        .mimeTypeForFile(QString::fromStdString(entry.name), QMimeDatabase::MatchExtension)
        .comment();
}

QTreeWidgetItem* MakeEntryItem(const FileStatus& entry) {
    static const QFileIconProvider kIcons;
    auto* item = new QTreeWidgetItem;
    item->setText(kName, QString::fromStdString(entry.name));
    const bool folder = IsShownAsFolder(entry);
    item->setData(kName, kIsFolderRole, folder);
    item->setIcon(kName, kIcons.icon(folder ? QFileIconProvider::Folder : QFileIconProvider::File));
    if (folder) {
        item->setText(kType, kFolderListFolderType);
        const DateTime modified = DateTime::FromTimeT(entry.lastWrite.seconds);
        item->setText(kModified, QString::fromStdString(modified.Format("%Y/%m/%d %H:%M:%S")));
    } else {
        item->setText(kSize, QString::fromStdString(FolderListSizeText(entry.size)));
        item->setTextAlignment(kSize, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(kType, TypeName(entry));
    }
    return item;
}

ListedName NameOf(const QTreeWidgetItem& item) {
    return {item.data(kName, kIsFolderRole).toBool(), item.text(kName)};
}

QTreeWidgetItem* MakeUpItem() {
    auto* item = new QTreeWidgetItem;
    item->setText(kName, kFolderListUpItem);
    item->setData(kName, kIsUpRole, true);
    return item;
}

}  // namespace

CFolderListCtrl::CFolderListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setHeaderLabels({"名前", "ｻｲｽﾞ", "種類", "更新日時"});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->resizeSection(kName, 160);
    header()->resizeSection(kSize, 60);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &CFolderListCtrl::Open);
    arrivalsTimer_.setInterval(kArrivalsInterval);
    connect(&arrivalsTimer_, &QTimer::timeout, this, &CFolderListCtrl::ShowArrivals);
}

CFolderListCtrl::~CFolderListCtrl() { filler_.Stop(); }

void CFolderListCtrl::ShowFolder(const QString& folder) {
    filler_.Stop();
    arrivals_ = Arrivals();
    clear();
    folder_ = folder;
    addTopLevelItem(MakeUpItem());
    filler_.Start(
        folder.toStdString(),
        [this](const FileStatus& entry) {
            const std::lock_guard<std::mutex> hold(arrivalsLock_);
            arrivals_.entries.push_back(entry);
        },
        [this](bool failed) {
            const std::lock_guard<std::mutex> hold(arrivalsLock_);
            arrivals_.ended = true;
            arrivals_.failed = failed;
        });
    arrivalsTimer_.start();
}

void CFolderListCtrl::ShowArrivals() {
    Arrivals taken;
    {
        const std::lock_guard<std::mutex> hold(arrivalsLock_);
        const size_t count = std::min(arrivals_.entries.size(), kEntriesPerSlice);
        taken.entries.assign(arrivals_.entries.begin(), arrivals_.entries.begin() + count);
        arrivals_.entries.erase(arrivals_.entries.begin(), arrivals_.entries.begin() + count);
        taken.ended = arrivals_.ended && arrivals_.entries.empty();
        taken.failed = arrivals_.failed;
    }
    for (const FileStatus& entry : taken.entries) InsertInOrder(MakeEntryItem(entry));
    if (!taken.ended) return;
    arrivalsTimer_.stop();
    if (taken.failed) clear();
    emit filled(taken.failed);
}

// A binary search past the up item, which stays first.
void CFolderListCtrl::InsertInOrder(QTreeWidgetItem* item) {
    const ListedName name = NameOf(*item);
    int low = 1;
    int high = topLevelItemCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (order_.Before(name, NameOf(*topLevelItem(middle)))) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    insertTopLevelItem(low, item);
}

void CFolderListCtrl::Open(QTreeWidgetItem* item) {
    const QDir here(folder_);
    if (item->data(kName, kIsUpRole).toBool()) {
        ShowFolder(QDir::cleanPath(here.absoluteFilePath("..")));
        return;
    }
    const QString path = here.filePath(item->text(kName));
    if (item->data(kName, kIsFolderRole).toBool()) {
        ShowFolder(path);
    } else {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
}

}  // namespace tv
