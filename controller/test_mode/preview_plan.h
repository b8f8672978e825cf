// What the update preview scans for a unit: the sources one after another, each against its
// destination with the unit's rules, and the single files of the file list, which are compared
// on their own and listed at once.
#pragma once

#include <string>
#include <vector>

#include "engine/scan/comparison_scan.h"
#include "platform/drive_table.h"
#include "settings/settings_record.h"
#include "settings/unit_options.h"

namespace tv {

constexpr const char* kChooseDriveMessage = "ドライブを選択して下さい";
constexpr const char* kInsertMediumMessage = "メディアを挿入して下さい";

struct PreviewSource {
    std::string source;
    std::string destination;
};

struct PreviewPlan {
    // Set when the preview cannot start; what the user is told.
    const char* refusal = nullptr;
    std::vector<PreviewSource> sources;
    std::vector<std::string> filesToCopy;  // single files of the file list that would be copied
    // The rules point at the record's lists, which must outlive the preview.
    ScanRules rules;
};

// removableLetter is the drive chosen for the removable unit (0: none).
PreviewPlan PlanPreview(SettingsUnit unit, char removableLetter, const SettingsRecord& settings,
                        const DriveTable& drives);

}  // namespace tv
