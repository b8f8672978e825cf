#include "controller/removable/media_detection.h"

#include "controller/removable/removable_run.h"
#include "controller/removable_drives.h"
#include "settings/current_drives.h"

namespace tv {

namespace {

// Every path first brings the drives and the record's view of the removable drives up to date,
// and lets an open settings dialog do the same with its lists.
void RefreshDrives(MediaHost& host) {
    DriveTable& drives = host.runs().runServices().drives;
    drives.Refresh();
    RefreshRemovableDrives(host.runs().settings(), drives);
    host.TellDialogMediaChanged();
}

bool RunsWhenInserted(const SettingsRecord& settings, char letter) {
    return settings.PCcardAuto != 0 || settings.Drives[letter - 'A'].Work == DriveWork::AutoBackup;
}

// A medium that comes during the run is not run after it, whichever path notices it. The path
// that started the run cannot notice anything until the run is over (its handler is still
// running), so it would otherwise find such a medium new and run it then.
void RunIfWanted(MediaHost& host, char letter) {
    if (!RunsWhenInserted(host.runs().settings(), letter)) return;
    DriveTable& drives = host.runs().runServices().drives;
    const RemovablePresence::Held before = RemovablePresence::Look(drives);
    RunRemovableAuto(host, letter);
    drives.Refresh();  // a medium mounted meanwhile may have taken a new letter
    host.removablePresence().PassOverArrivalsSince(before, drives);
}

// A drive letter the settings have not seen before has no destination of its own yet: its
// backups go to the default folder of its letter.
void GiveNewLetterItsFolder(RunHost& runs, char letter) {
    SettingsRecord& settings = runs.settings();
    if (letter <= settings.LastDrive) return;
    DriveEntry& drive = settings.Drives[letter - 'A'];
    if (drive.BackupDir.empty()) {
        drive.BackupDir = DefaultBackupDir(runs.runServices().locations.documentsDir, letter);
    }
}

}  // namespace

void NoteMediumPresentAtStart(MediaHost& host) {
    host.removablePresence().PollForNewMedium(host.runs().runServices().drives);
}

void PollRemovableMedia(MediaHost& host) {
    RefreshDrives(host);
    const std::optional<char> letter =
        host.removablePresence().PollForNewMedium(host.runs().runServices().drives);
    if (letter) RunIfWanted(host, *letter);
}

void OnMountTableChanged(MediaHost& host) {
    RefreshDrives(host);
    const DriveTable& drives = host.runs().runServices().drives;
    const RemovablePresence::Changes changes = host.removablePresence().TakeChanges(drives);
    SettingsRecord& settings = host.runs().settings();
    for (const char letter : changes.removed) {
        settings.Drives[letter - 'A'].Kind = CurrentDriveType(drives, letter);
    }
    for (const char letter : changes.inserted) {
        GiveNewLetterItsFolder(host.runs(), letter);
        RunIfWanted(host, letter);
    }
}

}  // namespace tv
