// The settings dialog as the frame opens it: a new CConfigDlg on the live record for every
// opening, run modally, its end code handed back.
#pragma once

#include "controller/ports/copy_runner.h"
#include "controller/ports/settings_dialog.h"
#include "platform/prompts.h"
#include "settings/settings_context.h"
#include "ui/settings_dialog/parts/unit_page_services.h"

namespace tv {

class CConfigDlg;

class QtSettingsDialog : public SettingsDialog {
  public:
    // context, prompts, copyRunner and what unitPages refers to must outlive the dialog.
    QtSettingsDialog(const SettingsContext& context, Prompts& prompts, CopyRunner& copyRunner,
                     UnitPageServices unitPages);

    // The schedule page edits a copy of schedules, handed back when the dialog accepts.
    int Run(SettingsRecord& live, ScheduleList& schedules, const std::string& logDay) override;
    void ShowActivityLog(const std::string& day) override;
    void BringToFront() override;
    void OnMediaChanged() override;

  private:
    const SettingsContext& context_;
    Prompts& prompts_;
    CopyRunner& copyRunner_;
    UnitPageServices unitPages_;
    CConfigDlg* open_ = nullptr;  // the dialog while it runs
};

}  // namespace tv
