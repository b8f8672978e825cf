// CSchedulePage, "スケジュールの設定": the first page of the schedule sheet. It edits the sheet's
// working entry at once on every change: the name, the kind (by date or by weekday, each with
// its own pane over the page's detail frame) and the start time.
#pragma once

#include <QWidget>

#include "platform/date_time.h"
#include "schedule/schedule_entry.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QTimeEdit;

namespace tv {

class CDateDlg;
class CWeekDlg;

constexpr const char* kSchedulePageCaption = "スケジュールの設定";

class CSchedulePage : public QWidget {
    Q_OBJECT
  public:
    // today is what the date pane shows for an entry without a date. entry must outlive the
    // page.
    CSchedulePage(ScheduleEntry* entry, const DateTime& today, QWidget* parent = nullptr);

  private:
    QWidget* MakeKindButtons();
    QGroupBox* MakeDetailFrame(const DateTime& today);
    // Shows the pane of kind and hides the other; a date schedule holds the date shown.
    void ShowKind(ScheduleKind kind);

    ScheduleEntry* entry_;
    QLineEdit* name_;
    QButtonGroup* kinds_;
    QTimeEdit* startTime_;
    CDateDlg* date_ = nullptr;
    CWeekDlg* week_ = nullptr;
};

}  // namespace tv
