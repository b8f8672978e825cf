// The settings dialog until it is built: it opens nothing, says so on the standard error
// stream, and ends as if cancelled, so nothing is saved.
#pragma once

#include "controller/ports/settings_dialog.h"

namespace tv {

class SettingsDialogPending : public SettingsDialog {
  public:
    int Run(SettingsRecord& live, ScheduleList& schedules) override;
};

}  // namespace tv
