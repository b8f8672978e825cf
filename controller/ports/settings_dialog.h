// The modal settings dialog as the frame sees it.
#pragma once

#include <string>

#include "schedule/schedule_list.h"
#include "settings/settings_record.h"

namespace tv {

class SettingsDialog {
  public:
    virtual ~SettingsDialog() = default;
    // Runs the dialog on the live record and the schedules and returns how it ended
    // (kSettingsApply, kSettingsRunDriveUnit, kSettingsRunFileDir or kSettingsCancel). The
    // dialog writes the record and the list only when it ends with an accepting code. With a
    // logDay ("yyyy/mm/dd") it opens on the activity log with that day chosen.
    virtual int Run(SettingsRecord& live, ScheduleList& schedules, const std::string& logDay) = 0;
    // The open dialog comes to the front on the activity log with day chosen.
    virtual void ShowActivityLog(const std::string& day) = 0;
    // The open dialog comes to the front as it is.
    virtual void BringToFront() {}
    // Media came or went while the dialog is open: it brings its drive lists up to date.
    virtual void OnMediaChanged() {}
};

}  // namespace tv
