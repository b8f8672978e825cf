#include "controller/main_frame.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "controller/frame_ids.h"
#include "controller/log_purge_cutoff.h"
#include "controller/next_run_times.h"
#include "controller/notice_texts.h"
#include "controller/removable/media_detection.h"
#include "controller/removable/removable_run.h"
#include "controller/removable_drives.h"
#include "controller/runners/drive_unit_run.h"
#include "controller/runners/file_dir_run.h"
#include "controller/session_end/end_session_query.h"
#include "controller/session_end/end_windows.h"
#include "controller/session_end/exit_run.h"
#include "controller/session_end/shutdown_ahead.h"
#include "controller/tick/ten_second_tick.h"
#include "controller/tray_menu.h"
#include "controller/tray_tip.h"
#include "log/flat_log.h"
#include "log/log_store.h"
#include "settings/drive_refresh.h"
#include "settings/settings_defaults.h"
#include "settings/settings_dump.h"
#include "settings/settings_persistence.h"

namespace tv {

namespace {

constexpr const char* kInitialTip = "Tessaravine";
constexpr const char* kExitQuestion = "Tessaravineを終了します\n終了してもよろしいでしょうか？";
constexpr const char* kExitCaption = "確認";
// Timers take their period as a signed 32-bit count of milliseconds.
constexpr uint64_t kMaxTimerPeriodMs = 0x7FFFFFFF;

bool IsAcceptingEndCode(int endCode) {
    return endCode == kSettingsApply || endCode == kSettingsRunDriveUnit ||
           endCode == kSettingsRunFileDir;
}

bool HasPassed(const DateTime& next, const DateTime& now) { return !next.IsValid() || next < now; }

}  // namespace

MainFrame::MainFrame(FrameServices services)
    : services_(std::move(services)),
      context_{services_.drives, services_.registry, services_.locations, services_.clock,
               services_.secrets},
      schedules_(services_.locations.programDir) {
    // Placeholders until Start computes both from the settings.
    const DateTime now = services_.clock.NowDateTime();
    nextDriveUnitTime_ = now + 5 * kOneMinute;
    nextFileDirTime_ = DateTime::FromTime(now.Hour(), now.Minute());
}

MainFrame::~MainFrame() { TearDown(); }

void MainFrame::Start() {
    services_.tray.SetMenu(
        {[this] { return CurrentTrayMenu(); }, [this](int id) { OnCommand(id); }});
    iconAdded_ = services_.tray.AddIcon(kInitialTip);
    LoadSettingsForDrivesPresent();
    NoteMediumPresentAtStart(*this);
    schedules_.Load(context_);
    CheckLogIndex(services_.locations.programDir);
    ComputeNextTimes();
    OpenSettingsDialogIfDrivesChanged();
    FollowMediaPollSetting();
    services_.timers.Start(kTimerTick, kTickPeriodMs);
    services_.timers.Start(kTimerMediaNotify, kMediaNotifyDelayMs);
    UpdateTrayTip();
}

void MainFrame::LoadSettingsForDrivesPresent() {
    services_.drives.Refresh();
    ResetToDefaults(settings_, context_);
    LoadSettings(settings_, context_);
}

void MainFrame::ComputeNextTimes() {
    const DateTime now = services_.clock.NowDateTime();
    nextDriveUnitTime_ = NextDriveUnitTime(now, settings_, state_.driveUnit.Armed);
    nextFileDirTime_ = NextFileDirTime(now, settings_);
}

// Drives that came or went since the settings were saved need a role: the user is asked at once.
void MainFrame::OpenSettingsDialogIfDrivesChanged() {
    if (RefreshDrives(settings_, context_)) OpenSettingsDialog();
}

void MainFrame::FollowMediaPollSetting() {
    if (settings_.USBCheck == 0 || settings_.USBCheckInterval <= 0) {
        services_.timers.Stop(kTimerMediaPoll);
        return;
    }
    const uint64_t periodMs = std::min<uint64_t>(
        static_cast<uint64_t>(settings_.USBCheckInterval) * 1000, kMaxTimerPeriodMs);
    services_.timers.Start(kTimerMediaPoll, static_cast<unsigned>(periodMs));
}

void MainFrame::OnTimer(int id) {
    switch (id) {
        case kTimerTick:
            RunTick(*this);
            break;
        case kTimerMediaPoll:
            PollRemovableMedia(*this);
            break;
        case kTimerMediaNotify:
            services_.timers.Stop(kTimerMediaNotify);
            services_.mediaWatch.Start([this] { OnMountTableChanged(*this); });
            break;
        case kTimerExitRun:
            RunBeforeSessionEnds(*this);
            break;
        case kTimerBeforeShutdown:
            FinishBeforeShutdown(*this);
            break;
        default:
            break;
    }
}

// A single click opens the settings as the double-click does: the desktops whose notification
// area hands the icon's clicks over the bus report only an activation, never a double-click.
void MainFrame::OnTrayEvent(TrayEvent event) {
    switch (event) {
        case TrayEvent::LeftButtonUp:
        case TrayEvent::LeftDoubleClick:
            OpenSettingsDialog();
            break;
        case TrayEvent::Other:
            break;
    }
}

// The desktop may show the menu at any time, also over the settings dialog or a run's window: a
// busy frame shows its items disabled, and leaves the drives as they are while a run or the
// dialog works with them.
std::vector<TrayMenuItem> MainFrame::CurrentTrayMenu() {
    const bool busy = state_.mode.Busy();
    if (!busy) {
        services_.drives.Refresh();
        RefreshRemovableDrives(settings_, services_.drives);
    }
    std::vector<TrayMenuItem> items = TrayMenuItems(settings_, services_.drives);
    for (TrayMenuItem& item : items) item.enabled = !busy;
    return items;
}

void MainFrame::OnCommand(int id) {
    if (state_.mode.Busy()) return;
    switch (id) {
        case kCommandSettings:
            OpenSettingsDialog();
            break;
        case kCommandSettingsReport:
            WriteSettingsReport();
            break;
        case kCommandExit:
            OnClose();
            break;
        default:
            if (id >= kCommandMirrorFirst && id <= kCommandMirrorLast) {
                RunRemovableManual(*this, DriveLetterAt(id - kCommandMirrorFirst));
            }
            break;
    }
}

// The dialog is kept out while the exit is being confirmed too: closing the frame under an
// open modal dialog would pull the live record away from it.
void MainFrame::OpenSettingsDialog() {
    if (!state_.mode.CanOpenDialog()) return;
    RunSettingsDialog(std::string());
}

void MainFrame::OpenActivityLog(const std::string& day) {
    if (state_.mode.dialogOpen()) {
        services_.settingsDialog.ShowActivityLog(day);
        return;
    }
    if (state_.mode.KeepsDialogShut()) return;
    RunSettingsDialog(day);
}

// A run started from the dialog's buttons runs after the dialog has closed, while the frame still
// counts it as open: there is nothing to bring to the front then.
void MainFrame::OnSecondStart() {
    if (state_.mode.KeepsDialogShut()) return;
    if (state_.mode.dialogOpen()) {
        services_.settingsDialog.BringToFront();
        return;
    }
    RunSettingsDialog(std::string());
}

void MainFrame::RunSettingsDialog(const std::string& logDay) {
    state_.mode.OpenDialog();
    const int endCode = services_.settingsDialog.Run(settings_, schedules_, logDay);
    if (IsAcceptingEndCode(endCode)) AcceptSettings(endCode);
    UpdateTrayTip();
    state_.mode.CloseDialog();
}

void MainFrame::AcceptSettings(int endCode) {
    SaveSettings(settings_, context_);
    schedules_.Save(services_.secrets);
    FollowMediaPollSetting();
    if (endCode == kSettingsApply) {
        RecomputePassedNextTimes();
        return;
    }
    if (endCode == kSettingsRunDriveUnit) {
        RunDriveUnit(*this, settings_, RunOrigin::Manual);
    } else {
        RunFileDir(*this, settings_, RunOrigin::Manual);
    }
    RecomputePassedNextTimes();
}

void MainFrame::RecomputePassedNextTimes() {
    const DateTime now = services_.clock.NowDateTime();
    if (HasPassed(nextDriveUnitTime_, now)) {
        nextDriveUnitTime_ = NextDriveUnitTime(now, settings_, state_.driveUnit.Armed);
    }
    if (HasPassed(nextFileDirTime_, now)) nextFileDirTime_ = NextFileDirTime(now, settings_);
}

void MainFrame::WriteSettingsReport() {
    WriteSettingsDump(settings_, services_.locations.programDir, services_.prompts);
}

void MainFrame::UpdateTrayTip() {
    if (!iconAdded_) return;
    services_.tray.ModifyIcon(FitTrayTip(
        TrayTipText(settings_, state_.driveUnit.Armed, nextDriveUnitTime_, nextFileDirTime_)));
}

void MainFrame::OnClose() {
    if (!state_.mode.CanConfirmExit()) return;
    state_.mode.BeginClosing();
    const int answer =
        services_.prompts.MessageBox(kExitQuestion, kExitCaption, kMbYesNo | kMbIconQuestion);
    if (answer != kIdYes) {
        state_.mode.EndClosing();
        return;
    }
    ExitConfirmed();
}

bool MainFrame::OnQueryEndSession(bool logOff) { return MayEndSession(*this, logOff); }

// A frame that closed itself has done both already.
void MainFrame::OnEndSession(bool ending) {
    if (!ending || tornDown_) return;
    ExitHousekeeping();
    TearDown();
}

// A run in progress exits at its end, from its bracket.
void MainFrame::OnSystemEnd() {
    if (state_.mode.ending() || tornDown_) return;
    state_.mode.BeginEnding();
    services_.copyRunner.StopRuns();
    if (!state_.mode.running()) ExitConfirmed();
}

// A frame that has closed has no work left before the shutdown.
void MainFrame::OnShutdownAhead() {
    if (!tornDown_) MeetShutdown(*this);
}

void MainFrame::OnShutdownCalledOff() { ForgetShutdown(*this); }

void MainFrame::ExitConfirmed() {
    ExitHousekeeping();
    TearDown();
    if (services_.closeFrame) services_.closeFrame();
}

void MainFrame::ExitHousekeeping() {
    const std::string cutoff =
        LogPurgeCutoff(services_.clock.NowDateTime(), settings_.BeforeLogDate);
    if (!cutoff.empty()) LogStore(services_.locations.programDir).Purge(cutoff);
    state_.mode.EndClosing();
}

void MainFrame::TearDown() {
    if (tornDown_) return;
    tornDown_ = true;
    services_.idle = nullptr;
    services_.mediaWatch.Stop();
    services_.voice.Stop();
    services_.timers.Stop(kTimerExitRun);
    services_.timers.Stop(kTimerBeforeShutdown);
    services_.timers.Stop(kTimerTick);
    services_.timers.Stop(kTimerMediaNotify);
    services_.timers.Stop(kTimerMediaPoll);
    if (iconAdded_) {
        services_.tray.DeleteIcon();
        iconAdded_ = false;
    }
}

bool MainFrame::IsIdle() const { return services_.idle && services_.idle->IsIdle(); }

void MainFrame::RecomputeNextDriveUnitTime(Postponement postponement) {
    nextDriveUnitTime_ = NextDriveUnitTime(services_.clock.NowDateTime(), settings_,
                                           state_.driveUnit.Armed, postponement);
}

void MainFrame::RecomputeNextFileDirTime(Postponement postponement) {
    nextFileDirTime_ = NextFileDirTime(services_.clock.NowDateTime(), settings_, postponement);
}

// The notice goes before a shutdown or log-off, which would take the desktop away with it. When
// the system ends the program or shuts down, the session ends without the frame's help.
void MainFrame::TellDialogMediaChanged() {
    if (state_.mode.dialogOpen()) services_.settingsDialog.OnMediaChanged();
}

SessionEndServices MainFrame::sessionEndServices() {
    return SessionEndServices{services_.prompts, services_.notifier, services_.timers,
                              services_.session, services_.copyRunner};
}

RunServices MainFrame::runServices() {
    return RunServices{services_.clock,   services_.drives, services_.locations,
                       services_.prompts, services_.shares, services_.copyRunner};
}

RunBracket MainFrame::BeginRun(TickDuringRun tick, const std::string& unit) {
    return RunBracket(state_.mode, services_.timers, tick, [this, unit] {
        UpdateTrayTip();
        TellRunFailures(unit);
        if (state_.mode.ending()) {
            ExitConfirmed();
        } else if (state_.mode.shutdownAhead()) {
            StepTowardsShutdown(*this);
        } else {
            CarryOutEndAction(*this);
        }
    });
}

void MainFrame::TellRunFailures(const std::string& unit) {
    const RunFailures failures = std::exchange(runFailures_, RunFailures());
    if (const std::optional<Notice> notice = failures.NoticeFor(unit)) {
        NotifyWithLogAction(*notice, failures.day());
    }
}

void MainFrame::NotifyWithLogAction(Notice notice, const std::string& day) {
    notice.action = NoticeAction{kOpenLogKey, kOpenLogLabel, [this, day] { OpenActivityLog(day); }};
    services_.notifier.Notify(notice);
}

}  // namespace tv
