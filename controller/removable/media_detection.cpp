#include "controller/removable/media_detection.h"

#include "controller/main_frame.h"
#include "controller/removable/removable_run.h"
#include "controller/removable_drives.h"
#include "settings/current_drives.h"

namespace tv {

namespace {

// Every path first brings the drives and the record's view of the removable drives up to date,
// and lets an open settings dialog do the same with its lists.
void RefreshDrives(MainFrame& frame) {
    FrameServices& services = frame.services();
    services.drives.Refresh();
    RefreshRemovableDrives(frame.settings(), services.drives);
    if (frame.state().mode.dialogOpen()) services.settingsDialog.OnMediaChanged();
}

bool RunsWhenInserted(const SettingsRecord& settings, char letter) {
    return settings.PCcardAuto != 0 || settings.Drives[letter - 'A'].Work == DriveWork::AutoBackup;
}

// A medium that comes during the run is not run after it, whichever path notices it. The path
// that started the run cannot notice anything until the run is over (its handler is still
// running), so it would otherwise find such a medium new and run it then.
void RunIfWanted(MainFrame& frame, char letter) {
    if (!RunsWhenInserted(frame.settings(), letter)) return;
    DriveTable& drives = frame.services().drives;
    const RemovablePresence::Held before = RemovablePresence::Look(drives);
    RunRemovableAuto(frame, letter);
    drives.Refresh();  // a medium mounted meanwhile may have taken a new letter
    frame.removablePresence().PassOverArrivalsSince(before, drives);
}

// A drive letter the settings have not seen before has no destination of its own yet: its
// backups go to the default folder of its letter.
void GiveNewLetterItsFolder(MainFrame& frame, char letter) {
    SettingsRecord& settings = frame.settings();
    if (letter <= settings.LastDrive) return;
    DriveEntry& drive = settings.Drives[letter - 'A'];
    if (drive.BackupDir.empty()) {
        drive.BackupDir = DefaultBackupDir(frame.services().locations.documentsDir, letter);
    }
}

}  // namespace

void NoteMediumPresentAtStart(MainFrame& frame) {
    frame.removablePresence().PollForNewMedium(frame.services().drives);
}

void PollRemovableMedia(MainFrame& frame) {
    RefreshDrives(frame);
    const std::optional<char> letter =
        frame.removablePresence().PollForNewMedium(frame.services().drives);
    if (letter) RunIfWanted(frame, *letter);
}

void OnMountTableChanged(MainFrame& frame) {
    RefreshDrives(frame);
    const RemovablePresence::Changes changes =
        frame.removablePresence().TakeChanges(frame.services().drives);
    SettingsRecord& settings = frame.settings();
    for (const char letter : changes.removed) {
        settings.Drives[letter - 'A'].Kind = CurrentDriveType(frame.services().drives, letter);
    }
    for (const char letter : changes.inserted) {
        GiveNewLetterItsFolder(frame, letter);
        RunIfWanted(frame, letter);
    }
}

}  // namespace tv
