#include "ui/settings_dialog/pages/file_dir_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "platform/win_constants.h"
#include "ui/settings_dialog/dialogs/drop_file_dialog.h"
#include "ui/settings_dialog/page_binding.h"
#include "ui/settings_dialog/parts/capacity_display.h"
#include "ui/settings_dialog/parts/transfer_controls.h"
#include "ui/widgets/drive_list_box.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

// Besides those of the transfer controls and the start button.
const MnemonicKey kFileDirKeys[] = {{"FileList", 'I'}, {"sourceDrives", 'V'}};

bool IsWholeDriveKind(int32_t kind) { return kind == kDriveFixed || kind == kDriveCdRom; }

DriveEntry& EntryOf(SettingsRecord& record, char letter) { return record.Drives[letter - 'A']; }

}  // namespace

CFileDirPage::CFileDirPage(SettingsRecord* record, const UnitPageServices& services,
                           QWidget* parent)
    : CStartingUnitPage(record, services, kStartFileDirCode, OverflowFrom::kAt100, "MirrorInterval",
                        parent) {
    setWindowTitle(kFileDirPageCaption);
    drives_->setObjectName("sourceDrives");
    auto* fileList = new QPushButton("フォルダ選択", this);
    fileList->setObjectName("FileList");
    const DestinationRow destination = MakeDestinationRow("Directry2", this);
    destination_ = destination.edit;

    BindingTable table;
    table.texts = {{destination_, &SettingsRecord::Directry2}};
    table.dateTimes = {{interval_, &SettingsRecord::MirrorInterval}};
    QWidget* transfer = MakeTransferControls(SettingsUnit::FileDir, this, &table);

    auto* top = new QHBoxLayout;
    top->addWidget(fileList);
    top->addStretch(1);
    top->addWidget(interval_);
    auto* layout = new QVBoxLayout(this);
    SetPageMargins(layout);
    layout->addLayout(top);
    QLabel* drivesHeading = MakeLabelFor(drives_, "●ドライブ単位での選択(クリックで選択)", this);
    layout->addWidget(drivesHeading);
    layout->addWidget(drives_, 1);
    layout->addWidget(destination.row);
    layout->addWidget(transfer);
    layout->addLayout(CapacityAndStart(capacity_, start_));

    Bind(std::move(table));
    GiveMnemonics(this, kFileDirKeys);
    connect(drives_, &QListWidget::itemSelectionChanged, this, &CFileDirPage::StoreDriveSelection);
    connect(fileList, &QPushButton::clicked, this, &CFileDirPage::EditFileList);
    connect(destination.browse, &QPushButton::clicked, this, &CFileDirPage::ChooseDestination);
    Reload();
}

void CFileDirPage::UpdateCapacity() {
    capacity_->Measure({services_.drives, *record_, SelectedDrives(), true, record_->Directry2});
    EnableStart();
}

void CFileDirPage::EditFileList() {
    CDropFileDlg dialog(&record_->FileList, true, services_.prompts, services_.chooseFolder, this);
    dialog.exec();
    UpdateCapacity();
}

// A drive is selected when the record makes it a source of the run.
void CFileDirPage::ShowDrives() {
    showingDrives_ = true;
    drives_->SetDrives(PageDriveRows(services_), kDriveListFixed | kDriveListCdRom);
    for (int row = 0; row < drives_->count(); ++row) {
        const DriveEntry& entry = EntryOf(*record_, drives_->LetterAt(row));
        drives_->item(row)->setSelected(entry.Work == DriveWork::UnitSource);
    }
    showingDrives_ = false;
    UpdateCapacity();
}

void CFileDirPage::StoreDriveSelection() {
    if (showingDrives_) return;
    for (int row = 0; row < drives_->count(); ++row) {
        DriveEntry& entry = EntryOf(*record_, drives_->LetterAt(row));
        if (!IsWholeDriveKind(entry.Kind)) continue;
        entry.Work =
            drives_->item(row)->isSelected() ? DriveWork::UnitSource : DriveWork::NotSource;
    }
    UpdateCapacity();
}

std::vector<char> CFileDirPage::SelectedDrives() const {
    std::vector<char> letters;
    for (int row = 0; row < drives_->count(); ++row) {
        if (drives_->item(row)->isSelected()) letters.push_back(drives_->LetterAt(row));
    }
    return letters;
}

bool CFileDirPage::HasWork() const {
    return !record_->FileList.empty() || !SelectedDrives().empty();
}

}  // namespace tv
