// CDateDlg: the pane of the schedule page shown for a schedule by date, a date picker
// "yyyy年MM月dd日". Picking a date makes it the entry's RunDate and the schedule a one-time one.
#pragma once

#include <QWidget>

#include "platform/date_time.h"
#include "schedule/schedule_entry.h"

class QDateEdit;

namespace tv {

class CDateDlg : public QWidget {
    Q_OBJECT
  public:
    // The picker shows the entry's date, or today while the entry has none; showing it writes
    // nothing. entry must outlive the dialog.
    CDateDlg(ScheduleEntry* entry, const DateTime& today, QWidget* parent);

    // The date the picker shows becomes the entry's RunDate, picked or not.
    void HoldShownDate();

  private:
    void StoreDate();

    ScheduleEntry* entry_;
    QDateEdit* picker_;
};

}  // namespace tv
