#include "app/settings_dialog_pending.h"

#include <cstdio>

#include "controller/frame_ids.h"

namespace tv {

int SettingsDialogPending::Run(SettingsRecord& /*live*/, ScheduleList& /*schedules*/) {
    std::fprintf(stderr, "Tessaravine: the settings dialog is not available yet; nothing opened\n");
    return kSettingsCancel;
}

}  // namespace tv
