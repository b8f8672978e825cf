#include "ui/settings_dialog/pages/destination_browser_page.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controller/settings_dialog/destination_folders.h"
#include "platform/paths.h"
#include "ui/dialog_font.h"
#include "ui/settings_dialog/parts/transfer_controls.h"
#include "ui/widgets/folder_list_ctrl.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

// The list beside the tree has no label of its own; a screen reader says this.
constexpr const char* kContentsName = "保存先フォルダの内容";
constexpr char kTreeKey = 'F';

// Folder items carry their path; the root and the group labels carry none.
constexpr int kPathRole = Qt::UserRole + 1;
// The tree's width in the smallest dialog; a wider page gives the tree a third of what it adds.
constexpr int kTreeWidth = 170;
constexpr int kTreeStretch = 1;
constexpr int kContentsStretch = 2;

// A share is no longer connected when the tree is shown, so a found one gets the icon of a
// network folder rather than its own.
QIcon FolderIcon(const DestinationFolder& folder) {
    static const QFileIconProvider kIcons;
    if (!folder.exists) return kIcons.icon(QFileIconProvider::Folder);
    if (IsNetworkPath(folder.path)) return kIcons.icon(QFileIconProvider::Network);
    return kIcons.icon(QFileInfo(QString::fromStdString(folder.path)));
}

QTreeWidgetItem* MakeFolderItem(const DestinationFolder& folder) {
    auto* item = new QTreeWidgetItem({QString::fromStdString(folder.path)});
    item->setIcon(0, FolderIcon(folder));
    item->setToolTip(0, QString::fromStdString(folder.path));
    item->setData(0, kPathRole, QString::fromStdString(folder.path));
    item->setData(0, kFolderFoundRole, folder.exists);
    return item;
}

}  // namespace

CSaveListDlg::CSaveListDlg(SettingsRecord* record, const UnitPageServices& services,
                           QWidget* parent)
    : QWidget(parent),
      record_(record),
      services_(services),
      tree_(new QTreeWidget(this)),
      contents_(new CFolderListCtrl(this)) {
    setFont(DialogFont());
    setWindowTitle(kDestinationBrowserCaption);
    tree_->setObjectName("destinations");
    tree_->setHeaderHidden(true);
    tree_->setMinimumWidth(kTreeWidth);
    // A long path keeps its start and its own folder's name, which tells the drives' folders
    // apart; the whole path is the item's tooltip.
    tree_->setTextElideMode(Qt::ElideMiddle);
    tree_->header()->setSectionResizeMode(QHeaderView::Stretch);
    contents_->setObjectName("folderContents");
    contents_->setAccessibleName(kContentsName);
    auto* treeColumn = new QVBoxLayout;
    QLabel* treeHeading = MakeLabelFor(tree_, "●保存先フォルダ", this);
    GiveMnemonic(treeHeading, kTreeKey);
    treeColumn->addWidget(treeHeading);
    treeColumn->addWidget(tree_, 1);
    auto* layout = new QHBoxLayout(this);
    SetPageMargins(layout);
    layout->addLayout(treeColumn, kTreeStretch);
    layout->addWidget(contents_, kContentsStretch);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CSaveListDlg::ShowSelectedFolder);
}

void CSaveListDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (built_) return;
    built_ = true;
    BuildTree();
}

void CSaveListDlg::BuildTree() {
    static const QFileIconProvider kIcons;
    auto* root = new QTreeWidgetItem({kDestinationTreeRoot});
    root->setIcon(0, kIcons.icon(QFileIconProvider::Computer));
    tree_->addTopLevelItem(root);
    for (const DestinationGroup& group : LookAtDestinations(*record_, services_.mounter)) {
        auto* label = new QTreeWidgetItem(root, {QString::fromUtf8(group.label)});
        label->setIcon(0, kIcons.icon(QFileIconProvider::Folder));
        for (const DestinationFolder& folder : group.folders)
            label->addChild(MakeFolderItem(folder));
    }
    tree_->expandAll();
    if (root->childCount() > 0) tree_->scrollToItem(root->child(0));
}

// The root and the group labels name no folder and leave the list as it is.
void CSaveListDlg::ShowSelectedFolder() {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (selected.isEmpty()) return;
    const QVariant path = selected.first()->data(0, kPathRole);
    if (path.isValid()) contents_->ShowFolder(path.toString());
}

}  // namespace tv
