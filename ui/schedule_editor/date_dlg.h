// CDateDlg: the pane of the schedule page shown for a schedule by date, a date picker
// "yyyy年MM月dd日". The entry's RunDate is always the date the picker shows; picking a date also
// makes the schedule a one-time one.
#pragma once

#include <QWidget>

#include "platform/date_time.h"
#include "schedule/schedule_entry.h"

class QDateEdit;

namespace tv {

class CDateDlg : public QWidget {
    Q_OBJECT
  public:
    // The picker shows the entry's date, or today (which the entry then holds) when it has
    // none. entry must outlive the dialog.
    CDateDlg(ScheduleEntry* entry, const DateTime& today, QWidget* parent);

  private:
    // The picker's date becomes the entry's RunDate.
    void HoldDate();
    void StoreDate();

    ScheduleEntry* entry_;
    QDateEdit* picker_;
};

}  // namespace tv
