#include "ui/widgets/japanese_file_dialog.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>

#include "controller/lists/folder_list_texts.h"

namespace tv {

namespace {

// The columns of the file system model behind the dialog.
enum Column { kName, kSize, kType, kModified };

constexpr const char* kModifiedFormat = "yyyy/MM/dd HH:mm";
// Room for the list's four columns and for a sidebar with Japanese names beside it.
constexpr int kRoomyWidth = 820;
constexpr int kRoomyHeight = 520;

// Qt writes sizes in binary units ("KiB"), folders as "Folder" and dates in the system
// locale's short form; the program's own folder list writes "KB", "ファイル フォルダ" and a
// fixed year/month/day form.
class FileColumnsInJapanese : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr) {
            return QIdentityProxyModel::data(index, role);
        }
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
            case kSize:
                if (files->isDir(source)) break;
                return QString::fromStdString(FolderListSizeText(
                    static_cast<uint64_t>(std::max<qint64>(files->size(source), 0))));
            case kType:
                if (files->isDir(source)) return QString::fromUtf8(kFolderListFolderType);
                break;
            case kModified:
                return files->lastModified(source).toString(kModifiedFormat);
            default:
                break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// The type and date columns fit the texts written into them; the last one takes what room is left.
void FitColumns(QFileDialog& dialog) {
    auto* details = dialog.findChild<QTreeView*>("treeView");
    if (details == nullptr) return;
    QHeaderView* header = details->header();
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) +
                        details->indentation();
    const auto fit = [&](int column, const QString& widest) {
        header->resizeSection(column, details->fontMetrics().horizontalAdvance(widest) + margins);
    };
    fit(kType, QString::fromUtf8(kFolderListFolderType));
    fit(kModified, QStringLiteral("0000/00/00 00:00"));
    header->setStretchLastSection(true);
}

// The sidebar is as wide as its longest place name.
void WidenSidebar(QFileDialog& dialog) {
    auto* sidebar = dialog.findChild<QListView*>("sidebar");
    auto* splitter = dialog.findChild<QSplitter*>("splitter");
    if (sidebar == nullptr || splitter == nullptr || splitter->count() != 2) return;
    const int width = sidebar->sizeHintForColumn(0) + 2 * sidebar->frameWidth() +
                      sidebar->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, sidebar);
    const int total = std::max(splitter->width(), dialog.width());
    splitter->setSizes({width, std::max(total - width, width)});
}

// Qt gives the file-type label no buddy, so its mnemonic ("(&T)") shows as typed.
void GiveFileTypeLabelItsBuddy(QFileDialog& dialog) {
    auto* label = dialog.findChild<QLabel*>("fileTypeLabel");
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    if (label != nullptr && types != nullptr && label->buddy() == nullptr) label->setBuddy(types);
}

void MakeRoomy(QFileDialog& dialog) {
    QSize size = dialog.size().expandedTo(QSize(kRoomyWidth, kRoomyHeight));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableSize());
    }
    dialog.resize(size);
}

}  // namespace

void DressInJapanese(QFileDialog& dialog) {
    // Qt's own dialog only: there are no widgets to find in one the desktop draws.
    if (dialog.findChild<QTreeView*>("treeView") == nullptr) return;
    dialog.setProxyModel(new FileColumnsInJapanese(&dialog));
    MakeRoomy(dialog);
    FitColumns(dialog);
    WidenSidebar(dialog);
    GiveFileTypeLabelItsBuddy(dialog);
}

}  // namespace tv
