#include "ui/settings_dialog/pages/drive_unit_page.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "ui/settings_dialog/page_binding.h"
#include "ui/settings_dialog/parts/capacity_display.h"
#include "ui/settings_dialog/parts/named_controls.h"
#include "ui/settings_dialog/parts/transfer_controls.h"
#include "ui/widgets/drive_list_box.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

// The check without a label of its own turns the periodic full backup on.
constexpr const char* kFullBackupName = "完全バックアップ";

// Besides those of the transfer controls and the start button.
const MnemonicKey kDriveUnitKeys[] = {
    {"Synchronize", 'A'},         {"SyncNoCDCopy", 'C'}, {"connectedDrives", 'V'},
    {"SyncFullBackupCount", 'U'}, {"SyncNoExcExt", 'E'},
};

// The unlabelled check, the count edit and its text, in one row.
QWidget* MakeFullBackupRow(QWidget* page, BindingTable* table) {
    auto* row = new QWidget(page);
    QCheckBox* box = MakeCheck("", "SyncFullBackup", row);
    box->setAccessibleName(kFullBackupName);
    QLineEdit* count = MakeDigitsEdit("SyncFullBackupCount", row);
    QLabel* after = MakeLabelFor(count, "に１回は完全バックアップ", row);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(box);
    line->addWidget(count);
    line->addWidget(after);
    line->addStretch(1);
    table->checks.push_back({box, &SettingsRecord::SyncFullBackup});
    table->numbers.push_back({count, &SettingsRecord::SyncFullBackupCount});
    return row;
}

}  // namespace

CFullSyncPage::CFullSyncPage(SettingsRecord* record, const UnitPageServices& services,
                             QWidget* parent)
    : CStartingUnitPage(record, services, kStartDriveUnitCode, OverflowFrom::kAbove100,
                        "SyncInterval", parent),
      allDrives_(MakeCheck("全てのドライブ", "Synchronize", this)),
      noCd_(MakeCheck("CD/DVD-ROMは実行しない", "SyncNoCDCopy", this)) {
    setWindowTitle(kDriveUnitPageCaption);
    drives_->setObjectName("connectedDrives");
    // The list only shows what the check boxes decide.
    drives_->ShowSelectionOnly();
    const DestinationRow destination = MakeDestinationRow("SynchroDirectory", this);
    destination_ = destination.edit;

    BindingTable table;
    table.checks = {{allDrives_, &SettingsRecord::Synchronize},
                    {noCd_, &SettingsRecord::SyncNoCDCopy}};
    table.texts = {{destination_, &SettingsRecord::SynchroDirectory}};
    table.dateTimes = {{interval_, &SettingsRecord::SyncInterval}};
    QWidget* transfer = MakeTransferControls(SettingsUnit::DriveUnit, this, &table);
    QWidget* fullBackup = MakeFullBackupRow(this, &table);
    QCheckBox* noExcExt = MakeCheck("転送不要拡張子はコピーしない", "SyncNoExcExt", this);
    table.checks.push_back({noExcExt, &SettingsRecord::SyncNoExcExt});

    auto* drives = new QHBoxLayout;
    drives->addWidget(allDrives_);
    drives->addWidget(noCd_);
    drives->addStretch(1);
    drives->addWidget(interval_);
    auto* layout = new QVBoxLayout(this);
    SetPageMargins(layout);
    layout->addLayout(drives);
    QLabel* drivesHeading = MakeLabelFor(drives_, "●接続ドライブの表示", this);
    layout->addWidget(drivesHeading);
    layout->addWidget(drives_, 1);
    layout->addWidget(destination.row);
    layout->addWidget(transfer);
    layout->addWidget(fullBackup);
    layout->addWidget(noExcExt);
    layout->addLayout(CapacityAndStart(capacity_, start_));

    Bind(std::move(table));
    GiveMnemonics(this, kDriveUnitKeys);
    connect(allDrives_, &QCheckBox::clicked, this, &CFullSyncPage::ShowDriveSelection);
    connect(noCd_, &QCheckBox::clicked, this, &CFullSyncPage::ShowDriveSelection);
    connect(destination.browse, &QPushButton::clicked, this, &CFullSyncPage::ChooseDestination);
    Reload();
}

void CFullSyncPage::UpdateCapacity() {
    CapacityQuestion question{services_.drives, *record_, {}, false, record_->SynchroDirectory};
    question.wholeDrives = DriveUnitSources(services_.drives, *record_);
    capacity_->Measure(std::move(question));
}

void CFullSyncPage::ShowDrives() {
    drives_->SetDrives(PageDriveRows(services_), kDriveListFixed | kDriveListCdRom);
    ShowDriveSelection();
}

// Every drive the run takes is selected: all of them with "全てのドライブ", less the CD drives
// while they are left out.
void CFullSyncPage::ShowDriveSelection() {
    const bool all = allDrives_->isChecked();
    const bool noCd = noCd_->isChecked();
    for (int row = 0; row < drives_->count(); ++row) {
        QListWidgetItem* item = drives_->item(row);
        item->setSelected(all && !(noCd && item->text().contains("CD")));
    }
    EnableStart();
    UpdateCapacity();
}

bool CFullSyncPage::HasWork() const { return allDrives_->isChecked(); }

}  // namespace tv
