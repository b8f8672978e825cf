// What the schedule editor needs from the settings dialog: the machine (for a new entry's
// settings and today's date), what the unit pages of the schedule sheet need (the prompts
// among it), and the sheet's pages after its two unit pages.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "settings/settings_context.h"
#include "settings/settings_record.h"
#include "ui/settings_dialog/parts/unit_page_services.h"

namespace tv {

// A page of the schedule sheet that edits the schedule's settings record; caption is its tab.
struct ScheduleSheetPage {
    const char* caption;
    std::function<QWidget*(SettingsRecord* record, QWidget* parent)> make;
};

struct ScheduleEditorServices {
    const SettingsContext& context;
    const UnitPageServices& unitPages;
    std::vector<ScheduleSheetPage> extraPages;
};

}  // namespace tv
