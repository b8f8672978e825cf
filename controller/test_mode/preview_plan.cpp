#include "controller/test_mode/preview_plan.h"

#include "controller/runners/destination_below.h"
#include "controller/runners/run_job.h"
#include "controller/runners/single_file_item.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

RunKind RunKindOf(SettingsUnit unit) {
    switch (unit) {
        case SettingsUnit::DriveUnit:
            return RunKind::DriveUnit;
        case SettingsUnit::FileDir:
            return RunKind::FileDir;
        case SettingsUnit::Removable:
            break;
    }
    return RunKind::Removable;
}

ScanRules RulesOf(SettingsUnit unit, const SettingsRecord& settings) {
    ScanRules rules;
    rules.job = MakeCopyJob(settings, RunKindOf(unit), std::string(), std::string(), nullptr);
    // The scan always compares with the plain tree, whatever layout the unit copies into.
    rules.job.Kind &= ~DateFolders;
    rules.everyFileIsTarget =
        unit == SettingsUnit::DriveUnit && settings.Synchronize != 0 && settings.SyncNoExcExt == 0;
    return rules;
}

void AddDrive(PreviewPlan& plan, const DriveTable& drives, char letter,
              const std::string& destinationRoot) {
    const std::string root = drives.RootOf(letter);
    if (root.empty()) return;
    plan.sources.push_back({root, ScanDestination(root, destinationRoot, drives)});
}

bool IsWholeDriveKind(int32_t kind) { return kind == kDriveFixed || kind == kDriveCdRom; }

void PlanDriveUnit(PreviewPlan& plan, const SettingsRecord& settings, const DriveTable& drives) {
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const int32_t kind = settings.Drives[index].Kind;
        const bool cd = kind == kDriveCdRom && settings.SyncNoCDCopy == 0;
        if (kind == kDriveFixed || cd) {
            AddDrive(plan, drives, DriveLetterAt(index), settings.SynchroDirectory);
        }
    }
}

void PlanFileDir(PreviewPlan& plan, const SettingsRecord& settings, const DriveTable& drives) {
    for (const std::string& item : settings.FileList) {
        const uint32_t attributes = GetFileAttributes(item);
        // The run leaves out an item whose name would lead out of the destination.
        if (attributes == kInvalidAttributes ||
            !DestinationBelow(settings.Directry2, ItemName(item))) {
            continue;
        }
        const std::string destination = ScanDestination(item, settings.Directry2, drives);
        if ((attributes & kAttrDirectory) != 0) {
            plan.sources.push_back({item, destination});
        } else if (SingleFileItemIsCopied(settings, item, destination)) {
            plan.filesToCopy.push_back(item);
        }
    }
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const DriveEntry& drive = settings.Drives[index];
        if (IsWholeDriveKind(drive.Kind) && drive.Work == DriveWork::UnitSource) {
            AddDrive(plan, drives, DriveLetterAt(index), settings.Directry2);
        }
    }
}

void PlanRemovable(PreviewPlan& plan, char letter, const SettingsRecord& settings,
                   const DriveTable& drives) {
    const int index = letter - 'A';
    if (index < 0 || index >= kDriveLetterCount) {
        plan.refusal = kChooseDriveMessage;
        return;
    }
    const std::string root = drives.RootOf(letter);
    if (root.empty() || !PathExists(root)) {
        plan.refusal = kInsertMediumMessage;
        return;
    }
    plan.sources.push_back({root, ScanDestination(root, settings.Drives[index].BackupDir, drives)});
}

}  // namespace

PreviewPlan PlanPreview(SettingsUnit unit, char removableLetter, const SettingsRecord& settings,
                        const DriveTable& drives) {
    PreviewPlan plan;
    plan.rules = RulesOf(unit, settings);
    switch (unit) {
        case SettingsUnit::DriveUnit:
            PlanDriveUnit(plan, settings, drives);
            break;
        case SettingsUnit::FileDir:
            PlanFileDir(plan, settings, drives);
            break;
        case SettingsUnit::Removable:
            PlanRemovable(plan, removableLetter, settings, drives);
            break;
    }
    return plan;
}

}  // namespace tv
