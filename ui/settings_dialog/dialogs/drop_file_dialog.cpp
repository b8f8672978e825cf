#include "ui/settings_dialog/dialogs/drop_file_dialog.h"

#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QUrl>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "ui/dialog_font.h"
#include "ui/widgets/accept_cancel_row.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

const MnemonicKey kDropFileKeys[] = {
    {"items", 'L'}, {"explorer", 'X'}, {"pickFolder", 'F'}, {"delete", 'D'}};

QIcon PathIcon(const QString& path) {
    static const QFileIconProvider kIcons;
    return kIcons.icon(QFileInfo(path));
}

QListWidgetItem* MakeItem(const QString& path) { return new QListWidgetItem(PathIcon(path), path); }

}  // namespace

CDropFileDlg::CDropFileDlg(std::vector<std::string>* list, bool filesAccepted, Prompts& prompts,
                           FolderChooser chooseFolder, QWidget* parent)
    : QDialog(parent),
      list_(list),
      filesAccepted_(filesAccepted),
      prompts_(prompts),
      chooseFolder_(std::move(chooseFolder)),
      items_(new QListWidget(this)),
      messages_(new QPlainTextEdit(this)) {
    setFont(DialogFont());
    setWindowTitle(kDropFileDialogCaption);
    setModal(true);
    setAcceptDrops(true);
    items_->setObjectName("items");
    items_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const std::string& path : *list_) items_->addItem(MakeItem(QString::fromStdString(path)));
    messages_->setObjectName("messages");
    messages_->setReadOnly(true);
    messages_->setMaximumBlockCount(1000);

    auto* explorer = new QPushButton("Explorerを起動", this);
    explorer->setObjectName("explorer");
    connect(explorer, &QPushButton::clicked, this,
            [] { QDesktopServices::openUrl(QUrl::fromLocalFile("/")); });
    auto* pick = new QPushButton("フォルダの選択", this);
    pick->setObjectName("pickFolder");
    connect(pick, &QPushButton::clicked, this, &CDropFileDlg::ChooseFolder);
    auto* remove = new QPushButton("削除", this);
    remove->setObjectName("delete");
    connect(remove, &QPushButton::clicked, this, &CDropFileDlg::DeleteSelected);

    auto* layout = new QGridLayout(this);
    layout->addWidget(MakeLabelFor(items_, "●選択されたファイル/フォルダの一覧", this), 0, 0);
    layout->addWidget(new QLabel("ファイル/フォルダをドロップして下さい", this), 0, 1,
                      Qt::AlignRight);
    layout->addWidget(items_, 1, 0, 1, 2);
    layout->addWidget(messages_, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(explorer);
    buttons->addWidget(pick);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addLayout(MakeAcceptCancelRow(*this, "OK"));
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setRowStretch(1, 3);
    layout->setRowStretch(2, 1);
    GiveMnemonics(this, kDropFileKeys);
    resize(520, 380);
}

void CDropFileDlg::OfferDropped(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (filesAccepted_ || IsDirectory(path)) AddPath(path);
    }
}

void CDropFileDlg::AddPath(const std::string& path) {
    if (!PathExists(path)) return;
    const QString text = QString::fromStdString(WithoutTrailingSeparators(path));
    if (!items_->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty()) {
        Tell(QString("%1は追加出来ません。").arg(text));
        return;
    }
    items_->addItem(MakeItem(text));
    Tell(QString("%1を追加しました。").arg(text));
}

void CDropFileDlg::accept() {
    list_->clear();
    for (int row = 0; row < items_->count(); ++row) {
        list_->push_back(items_->item(row)->text().toStdString());
    }
    QDialog::accept();
}

void CDropFileDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CDropFileDlg::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    }
    OfferDropped(paths);
    event->acceptProposedAction();
}

void CDropFileDlg::ChooseFolder() {
    const std::optional<std::string> folder =
        ChosenFolderPath(chooseFolder_(this, QString()), prompts_);
    if (folder) AddPath(*folder);
}

void CDropFileDlg::DeleteSelected() {
    for (QListWidgetItem* item : items_->selectedItems()) {
        Tell(QString("%1を削除しました。").arg(item->text()));
        delete item;
    }
}

// Each line goes at the end, and the box scrolls to show it.
void CDropFileDlg::Tell(const QString& line) {
    messages_->appendPlainText(line);
    messages_->moveCursor(QTextCursor::End);
    messages_->ensureCursorVisible();
}

}  // namespace tv
