#include "controller/runners/drive_unit_run.h"

#include <cstdio>

#include "controller/notice_texts.h"
#include "controller/runners/destination_connection.h"
#include "controller/runners/whole_drive_run.h"
#include "engine/job/step_log.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr const char* kNoDestination = "転送先が指定されていません\r\nSynchronize処理を終了します";
constexpr const char* kErrorCaption = "Error";

bool IsUnitDrive(const SettingsRecord& settings, int type) {
    return type == kDriveFixed || (type == kDriveCdRom && settings.SyncNoCDCopy == 0);
}

std::string TitleOf(char letter) {
    char title[64];
    std::snprintf(title, sizeof title, "Synchronize 進捗状況(%c:) Files:", letter);
    return title;
}

// Every drive of the unit but the one the destination lies on, until the user stops everything.
void RunEveryDrive(RunHost& host, const SettingsRecord& settings, RunOrigin origin) {
    const DriveTable& drives = host.runServices().drives;
    const char destinationDrive = drives.DriveOfPath(settings.SynchroDirectory);
    const DriveUnitProgress& progress = host.driveUnitProgress();
    const bool fullBackups = settings.SyncFullBackup != 0;
    const bool fullBackupDue = progress.FullBackupCounter == settings.SyncFullBackupCount;
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const char letter = DriveLetterAt(index);
        if (letter == destinationDrive) continue;
        if (!IsUnitDrive(settings, drives.DriveType(drives.RootOf(letter)))) continue;
        WholeDriveRun run{letter,         settings.SynchroDirectory, TitleOf(letter),
                          kUnitDriveUnit, RunKind::DriveUnit,        origin};
        run.fullBackups = fullBackups;
        run.fullBackupDue = fullBackupDue;
        if (RunWholeDrive(host, settings, run) == RunStep::Stop) return;
    }
}

}  // namespace

void RunDriveUnit(RunHost& host, SettingsRecord& settings, RunOrigin origin) {
    const RunServices services = host.runServices();
    DriveUnitProgress& progress = host.driveUnitProgress();
    host.NoteRunOrigin(origin);
    // A scheduled run leaves the interval's next time alone.
    const auto recomputeNextTime = [&host, origin] {
        if (origin != RunOrigin::Schedule) host.RecomputeNextDriveUnitTime();
    };
    if (settings.SynchroDirectory.empty() && IsManual(origin)) {
        services.prompts.MessageBox(kNoDestination, kErrorCaption, kMbOk | kMbIconExclamation);
        recomputeNextTime();
        return;
    }
    const RunBracket bracket = host.BeginRun(TickDuringRun::Stopped, kDriveUnitName);
    if (!bracket.entered()) {
        recomputeNextTime();
        return;
    }
    {
        const DestinationConnection connection(settings, settings.SynchroDirectory, services.shares,
                                               services.prompts);
        if (connection.failed()) {
            host.runFailures().AddUnreachableDestination(settings.SynchroDirectory,
                                                         LogDateText(services.clock));
            progress.Armed = true;
            recomputeNextTime();
            return;
        }
        ++progress.FullBackupCounter;
        RunEveryDrive(host, settings, origin);
    }
    if (origin != RunOrigin::Schedule) {
        host.RecomputeNextDriveUnitTime();
        progress.Armed = true;
        if (progress.FullBackupCounter == settings.SyncFullBackupCount)
            progress.FullBackupCounter = 0;
    }
}

}  // namespace tv
