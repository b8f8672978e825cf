#include "ui/settings_dialog/pages/removable_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controller/settings_dialog/removable_rescan.h"
#include "platform/file_system.h"
#include "platform/win_constants.h"
#include "ui/dialog_font.h"
#include "ui/settings_dialog/page_binding.h"
#include "ui/settings_dialog/parts/named_controls.h"
#include "ui/settings_dialog/parts/transfer_controls.h"
#include "ui/widgets/drive_list_box.h"
#include "ui/widgets/folder_list_ctrl.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

// Besides those of the transfer controls.
const MnemonicKey kRemovableKeys[] = {
    {"removableDrives", 'V'}, {"rescan", 'U'}, {"PCcardAuto", 'P'},    {"Work0", 'A'},
    {"Work1", 'M'},           {"Work2", 'N'},  {"mediaContents", 'C'},
};

const char* const kMediaConcerned[] = {
    "PCｶｰﾄﾞ　ｺﾝﾊﾟｸﾄﾌﾗｯｼｭ　ｽﾏｰﾄﾒﾃﾞｨｱ　ﾏｲｸﾛﾄﾞﾗｲﾌﾞ",
    "Secure Digital　ﾏﾙﾁﾒﾃﾞｨｱｶｰﾄﾞ　ﾒﾓﾘｰｽﾃｨｯｸ　MO",
    "USBﾒﾓﾘｰ　USB外付けFD　外付けHDD　MinitureCard",
};

// The three works of a drive in a row, the button ids being the DriveWork numbers.
QWidget* MakeWorkChoice(QButtonGroup* work, QWidget* page) {
    auto* box = new QWidget(page);
    auto* line = new QHBoxLayout(box);
    line->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* text;
        DriveWork value;
    } kWorks[] = {{"自動", DriveWork::AutoBackup},
                  {"手動", DriveWork::ManualBackup},
                  {"作業しない", DriveWork::NoBackup}};
    for (const auto& choice : kWorks) {
        auto* button = FitToText(new QRadioButton(choice.text, box));
        button->setObjectName(QString("Work%1").arg(static_cast<int>(choice.value)));
        work->addButton(button, static_cast<int>(choice.value));
        line->addWidget(button);
    }
    return box;
}

QGroupBox* MakeMediaConcerned(QWidget* page) {
    auto* box = new QGroupBox("対象リムーバブルメディア", page);
    auto* lines = new QVBoxLayout(box);
    lines->setContentsMargins(6, 2, 6, 2);
    lines->setSpacing(0);
    for (const char* text : kMediaConcerned) lines->addWidget(new QLabel(text, box));
    return box;
}

std::vector<DriveListRow> RemovableRows(const SettingsRecord& record,
                                        const UnitPageServices& services) {
    std::vector<DriveListRow> rows;
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const DriveEntry& entry = record.Drives[index];
        if (entry.Kind != kDriveRemovable) continue;
        const char letter = DriveLetterAt(index);
        const std::optional<int> card =
            services.cardKindOf ? services.cardKindOf(letter) : std::nullopt;
        rows.push_back({letter, kDriveRemovable, entry.Name, card});
    }
    return rows;
}

}  // namespace

CRemovableDlg::CRemovableDlg(SettingsRecord* record, const UnitPageServices& services,
                             QWidget* parent)
    : QWidget(parent),
      record_(record),
      services_(services),
      drives_(new CDriveListBox(this)),
      work_(new QButtonGroup(this)),
      contents_(new CFolderListCtrl(this)) {
    setFont(DialogFont());
    setWindowTitle(kRemovablePageCaption);
    drives_->setObjectName("removableDrives");
    drives_->setSelectionMode(QAbstractItemView::SingleSelection);
    contents_->setObjectName("mediaContents");
    auto* rescan = new QPushButton("更新", this);
    rescan->setObjectName("rescan");
    QWidget* workChoice = MakeWorkChoice(work_, this);
    const DestinationRow destination = MakeDestinationRow("BackupDir", this);
    destination_ = destination.edit;
    auto* cardAuto =
        FitToText(new QCheckBox("以下のメディアは自動でバックアップ・ミラーリング", this));
    cardAuto->setObjectName("PCcardAuto");

    BindingTable table;
    table.checks = {{cardAuto, &SettingsRecord::PCcardAuto}};
    QWidget* transfer = MakeTransferControls(SettingsUnit::Removable, this, &table);

    auto* heading = new QHBoxLayout;
    QLabel* drivesHeading = MakeLabelFor(drives_, "●リムーバブルメディア一覧", this);
    heading->addWidget(drivesHeading);
    heading->addWidget(rescan);
    heading->addStretch(1);
    auto* media = new QVBoxLayout;
    media->setSpacing(2);
    media->addWidget(cardAuto);
    media->addWidget(MakeMediaConcerned(this));
    // A taller page lengthens the drive list, not the gaps between the media's lines.
    media->addStretch(1);
    // The selected drive's work stands over its destination, which has the page's width.
    media->addWidget(workChoice);
    auto* listAndMedia = new QHBoxLayout;
    listAndMedia->addWidget(drives_, 1);
    listAndMedia->addLayout(media);
    auto* layout = new QVBoxLayout(this);
    SetPageMargins(layout);
    layout->addLayout(heading);
    layout->addLayout(listAndMedia);
    layout->addWidget(destination.row);
    layout->addWidget(transfer);
    QLabel* contentsHeading = MakeLabelFor(contents_, "●メディアの内容", this);
    layout->addWidget(contentsHeading);
    layout->addWidget(contents_, 1);

    binding_ = new CPageBinding(std::move(table), this);
    binding_->CopyEveryChangeInto(record_);
    GiveMnemonics(this, kRemovableKeys);
    connect(rescan, &QPushButton::clicked, this, &CRemovableDlg::Rescan);
    connect(drives_, &QListWidget::itemSelectionChanged, this, &CRemovableDlg::ShowSelectedDrive);
    connect(work_, &QButtonGroup::idClicked, this, [this](int id) {
        if (DriveEntry* entry = SelectedEntry()) entry->Work = static_cast<DriveWork>(id);
    });
    connect(destination_, &QLineEdit::textChanged, this, [this](const QString& text) {
        DriveEntry* entry = SelectedEntry();
        if (entry != nullptr && !showingDrive_) entry->BackupDir = text.toStdString();
    });
    connect(destination.browse, &QPushButton::clicked, this, &CRemovableDlg::ChooseDestination);
    Reload();
}

void CRemovableDlg::Reload() {
    binding_->Load(*record_);
    ShowDrives();
}

void CRemovableDlg::Rescan() {
    services_.drives.Refresh();
    RescanRemovableDrives(*record_, services_.drives, services_.documentsDir);
    ShowDrives();
}

// The drive selected before stays selected while it is listed; else the first one is.
void CRemovableDlg::ShowDrives() {
    const char selected = SelectedLetter();
    const QSignalBlocker quiet(drives_);
    drives_->SetDrives(RemovableRows(*record_, services_), kDriveListRemovable);
    int row = 0;
    for (int index = 0; index < drives_->count(); ++index) {
        if (drives_->LetterAt(index) == selected) row = index;
    }
    if (drives_->count() > 0) drives_->setCurrentRow(row);
    ShowSelectedDrive();
}

void CRemovableDlg::ShowSelectedDrive() {
    const char letter = SelectedLetter();
    const DriveEntry* entry = SelectedEntry();
    showingDrive_ = true;
    destination_->setText(entry ? QString::fromStdString(entry->BackupDir) : QString());
    showingDrive_ = false;
    for (QAbstractButton* button : work_->buttons()) button->setEnabled(entry != nullptr);
    // Floppy drives are backed up only on request.
    work_->button(static_cast<int>(DriveWork::AutoBackup))
        ->setEnabled(entry != nullptr && letter != 'A' && letter != 'B');
    QAbstractButton* shown = entry ? work_->button(static_cast<int>(entry->Work)) : nullptr;
    work_->setExclusive(false);
    for (QAbstractButton* button : work_->buttons()) button->setChecked(button == shown);
    work_->setExclusive(true);
    if (entry != nullptr) {
        contents_->ShowFolder(QString::fromStdString(services_.drives.RootOf(letter)));
    } else {
        contents_->ShowFolder(QString());
    }
}

char CRemovableDlg::SelectedLetter() const {
    const QList<QListWidgetItem*> selected = drives_->selectedItems();
    return selected.isEmpty() ? 0 : drives_->LetterAt(drives_->row(selected.first()));
}

DriveEntry* CRemovableDlg::SelectedEntry() {
    const char letter = SelectedLetter();
    return letter == 0 ? nullptr : &record_->Drives[letter - 'A'];
}

// The picker opens at the folder in the edit, or at C:'s root when that is no folder.
void CRemovableDlg::ChooseDestination() {
    const QString shown = destination_->text();
    const QString start = IsDirectory(shown.toStdString())
                              ? shown
                              : QString::fromStdString(services_.drives.RootOf('C'));
    PickFolderInto(destination_, start, services_, this);
}

}  // namespace tv
