#include "app/qt_settings_dialog.h"

#include <utility>

#include "controller/frame_ids.h"
#include "ui/settings_dialog/config_dialog.h"

namespace tv {

static_assert(kEndApply == kSettingsApply && kEndRunDriveUnit == kSettingsRunDriveUnit &&
                  kEndRunFileDir == kSettingsRunFileDir && kEndCancel == kSettingsCancel,
              "the dialog ends with the codes the frame acts on");

QtSettingsDialog::QtSettingsDialog(const SettingsContext& context, Prompts& prompts,
                                   CopyRunner& copyRunner, UnitPageServices unitPages)
    : context_(context),
      prompts_(prompts),
      copyRunner_(copyRunner),
      unitPages_(std::move(unitPages)) {}

int QtSettingsDialog::Run(SettingsRecord& live, ScheduleList& schedules,
                          const std::string& logDay) {
    CConfigDlg dialog(&live, ConfigDialogServices{context_, prompts_, copyRunner_, &OpenWithDesktop,
                                                  &unitPages_, &schedules});
    if (!logDay.empty()) dialog.ShowActivityLog(logDay);
    open_ = &dialog;
    const int endCode = dialog.exec();
    open_ = nullptr;
    return endCode;
}

void QtSettingsDialog::ShowActivityLog(const std::string& day) {
    if (open_ == nullptr) return;
    open_->ShowActivityLog(day);
    BringToFront();
}

// The dialog may lie under other windows or be minimised by the time the user chooses a
// notice's action or starts the program again.
void QtSettingsDialog::BringToFront() {
    if (open_ == nullptr) return;
    open_->setWindowState(open_->windowState() & ~Qt::WindowMinimized);
    open_->raise();
    open_->activateWindow();
}

void QtSettingsDialog::OnMediaChanged() {
    if (open_ != nullptr) open_->OnMediaChanged();
}

}  // namespace tv
