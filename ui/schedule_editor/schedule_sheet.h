// CScheduleSheet, "スケジュール登録ウィンドウ": the modal sheet that adds or changes one schedule.
// Its pages work on a copy of the entry it was opened with: the schedule page on the entry, the
// drive unit and file/directory pages (and the pages that follow) on the entry's settings
// record. The entry it was opened with is not touched; whoever opened it takes working() on OK.
// OK closes the sheet only when the working entry passes the registration check; otherwise the
// check has told the user why and the sheet stays open as it was.
#pragma once

#include <QDialog>

#include "schedule/schedule_editing.h"
#include "schedule/schedule_entry.h"
#include "ui/schedule_editor/schedule_editor_services.h"

class QTabWidget;

namespace tv {

constexpr const char* kScheduleSheetCaption = "スケジュール登録ウィンドウ";

class CScheduleSheet : public QDialog {
    Q_OBJECT
  public:
    // services must outlive the sheet.
    CScheduleSheet(const ScheduleEntry& entry, const ScheduleEditorServices& services,
                   RegistrationCheck registrable, QWidget* parent = nullptr);

    const ScheduleEntry& working() const { return working_; }

    void accept() override;

  private:
    void AddPage(QWidget* page, const char* caption);

    ScheduleEntry working_;
    RegistrationCheck registrable_;
    QTabWidget* tabs_;
};

}  // namespace tv
