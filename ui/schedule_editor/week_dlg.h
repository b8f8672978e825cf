// CWeekDlg: the pane of the schedule page shown for a schedule by weekday. Seven check boxes
// "月" to "日" are the bits of the entry's WeekdayMask and four radio buttons its RepeatPattern;
// every click goes into the entry at once.
#pragma once

#include <QWidget>

#include "schedule/schedule_entry.h"

class QButtonGroup;

namespace tv {

class CWeekDlg : public QWidget {
    Q_OBJECT
  public:
    // entry must outlive the dialog.
    CWeekDlg(ScheduleEntry* entry, QWidget* parent);

  private:
    QWidget* MakeDayBoxes();
    QWidget* MakePatternButtons();

    ScheduleEntry* entry_;
    QButtonGroup* days_;
    QButtonGroup* patterns_;
};

}  // namespace tv
