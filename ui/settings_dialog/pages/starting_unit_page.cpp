#include "ui/settings_dialog/pages/starting_unit_page.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <utility>

#include "controller/settings_dialog/start_confirmation.h"
#include "ui/dialog_font.h"
#include "ui/settings_dialog/page_binding.h"
#include "ui/settings_dialog/parts/capacity_display.h"
#include "ui/settings_dialog/parts/transfer_controls.h"
#include "ui/widgets/drive_list_box.h"
#include "ui/widgets/focus_order.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

constexpr char kStartKey = 'T';

}  // namespace

CStartingUnitPage::CStartingUnitPage(SettingsRecord* record, const UnitPageServices& services,
                                     int startCode, OverflowFrom overflow,
                                     const char* intervalField, QWidget* parent)
    : QWidget(parent),
      record_(record),
      services_(services),
      drives_(new CDriveListBox(this)),
      interval_(MakeIntervalPicker(intervalField, this)),
      capacity_(new CCapacityDisplay(overflow, services.mounter, this)),
      start_(new QPushButton("開始", this)),
      startCode_(startCode) {
    setFont(DialogFont());
    drives_->setSelectionMode(QAbstractItemView::MultiSelection);
    start_->setObjectName("start");
    GiveMnemonic(start_, kStartKey);
    connect(start_, &QPushButton::clicked, this, &CStartingUnitPage::Start);
}

void CStartingUnitPage::Bind(BindingTable table) {
    binding_ = new CPageBinding(std::move(table), this);
    binding_->CopyEveryChangeInto(record_);
    // The schedule sheet shows the page too, where Tab must read it as laid out as well.
    OrderTabsAsLaidOut(this);
    connect(destination_, &QLineEdit::editingFinished, this, &CStartingUnitPage::UpdateCapacity);
}

void CStartingUnitPage::Reload() {
    binding_->Load(*record_);
    ShowDrives();
}

bool CStartingUnitPage::CapacityWarning() const { return capacity_->Warning(); }

void CStartingUnitPage::SetInScheduleEditor(bool inEditor) {
    inScheduleEditor_ = inEditor;
    interval_->setEnabled(!inEditor);
    EnableStart();
}

void CStartingUnitPage::EnableStart() { start_->setEnabled(!inScheduleEditor_ && HasWork()); }

void CStartingUnitPage::ChooseDestination() {
    if (PickFolderInto(destination_, QString(), services_, this)) UpdateCapacity();
}

void CStartingUnitPage::Start() {
    if (StartConfirmed(CapacityWarning(), services_.prompts)) emit startRequested(startCode_);
}

}  // namespace tv
