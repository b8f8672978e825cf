// The resident program's hidden frame: it owns the live settings record, the next-run times and
// the state flags, and answers the desktop's events (timers, tray icon, menu commands, exit).
// It reaches the desktop only through the interfaces handed to it, so it runs the same under a
// real tray and under a test's fakes. Every call comes on the user-interface thread.
#pragma once

#include <functional>
#include <vector>

#include "controller/frame_state.h"
#include "controller/next_run_times.h"
#include "controller/ports/copy_runner.h"
#include "controller/ports/media_identity.h"
#include "controller/ports/media_watch.h"
#include "controller/ports/notifier.h"
#include "controller/ports/session.h"
#include "controller/ports/settings_dialog.h"
#include "controller/ports/timers.h"
#include "controller/ports/tray.h"
#include "controller/ports/voice.h"
#include "controller/removable/media_host.h"
#include "controller/removable/media_presence.h"
#include "controller/runners/run_host.h"
#include "controller/session_end/session_end_host.h"
#include "controller/tick/tick_host.h"
#include "engine/job/run_context.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/drive_table.h"
#include "platform/locations.h"
#include "platform/prompts.h"
#include "platform/registry_store.h"
#include "platform/share_mounter.h"
#include "schedule/schedule_list.h"
#include "settings/settings_context.h"
#include "settings/settings_record.h"

namespace tv {

// Everything the frame reaches outside itself. The desktop's ports are implemented in the
// program with Qt and the system's services, in tests by fakes.
struct FrameServices {
    const Clock& clock;
    DriveTable& drives;
    RegistryStore& registry;
    const Locations& locations;
    Prompts& prompts;
    Tray& tray;
    Timers& timers;
    SettingsDialog& settingsDialog;
    CopyRunner& copyRunner;
    Voice& voice;
    Session& session;
    MediaWatch& mediaWatch;
    // The serial numbers and card names kept on removable media.
    MediaIdentity& media;
    Notifier& notifier;
    // Connects the shares of network destinations.
    ShareMounter& shares;
    // The idle library's answer; null when the library or its entry is missing.
    IdleGate* idle;
    // Ends the program's event loop once the frame has closed.
    std::function<void()> closeFrame;
    // Keeps the share accounts out of the files; null while no store answers.
    SecretStore* secrets = nullptr;
};

class MainFrame final : public RunHost, public MediaHost, public TickHost, public SessionEndHost {
  public:
    explicit MainFrame(FrameServices services);
    ~MainFrame();
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // Window creation: icon with its menu, settings, schedules, log index, next times, the drive
    // check (which may open the settings dialog at once), timers and tip, in this order.
    void Start();

    void OnTimer(int id);
    void OnTrayEvent(TrayEvent event);
    // A command of the icon's menu. It may come from a menu shown before the frame became busy:
    // it is ignored while the frame is busy.
    void OnCommand(int id);
    // The exit confirmation.
    void OnClose();
    // The desktop asks whether the session may end (a log-off, or else a shutdown).
    bool OnQueryEndSession(bool logOff);
    // The session ends (ending) or goes on after all. When it ends, the housekeeping and the
    // tear-down are done as before an exit.
    void OnEndSession(bool ending);
    // The system ends the program (at shutdown or log-off, or from a terminal): the run in
    // progress stops as the stop-all button stops it, and once it has ended the program exits
    // as the exit command does, without asking.
    void OnSystemEnd();
    // The system announces its shutdown, which waits for the frame: the run in progress stops as
    // the stop-all button stops it, the run before the session ends is made when it is wanted,
    // and then the shutdown may go on. The program ends when the system ends it.
    void OnShutdownAhead();
    // The announced shutdown was called off: the program goes on as before.
    void OnShutdownCalledOff();
    // Stops the timers and removes the icon; done once, at the latest when the frame goes.
    void TearDown();

    void OpenSettingsDialog();
    // The action of a notice about a run: the settings dialog on the activity log of day
    // ("yyyy/mm/dd"), opened, or brought to the front when it is open already. Nothing while
    // a run or the exit keeps the dialog out.
    void OpenActivityLog(const std::string& day);
    // The program was started again (from the applications menu, where there is no icon to
    // click): the settings dialog is opened, or brought to the front when it is open already.
    // Nothing while a run or the exit keeps the dialog out.
    void OnSecondStart();
    void WriteSettingsReport();
    void UpdateTrayTip() override;
    // What is done before the program ends: old day files of the activity log are deleted.
    void ExitHousekeeping() override;

    // Without the idle library the user always counts as busy.
    bool IsIdle() const override;

    // The host of every run.
    RunServices runServices() override;
    void NoteRunOrigin(RunOrigin origin) override { state_.mode.NoteRunOrigin(origin); }
    RunBracket BeginRun(TickDuringRun tick, const std::string& unit) override;
    RunFailures& runFailures() override { return runFailures_; }
    void NotifyWithLogAction(Notice notice, const std::string& day) override;
    DriveUnitProgress& driveUnitProgress() override { return state_.driveUnit; }
    void RecomputeNextDriveUnitTime(Postponement postponement) override;
    void RecomputeNextFileDirTime(Postponement postponement) override;

    // What removable media need.
    RunHost& runs() override { return *this; }
    MediaIdentity& media() override { return services_.media; }
    Voice& voice() override { return services_.voice; }
    RemovablePresence& removablePresence() override { return removablePresence_; }
    void TellDialogMediaChanged() override;

    // What the end of the session needs.
    SessionEndServices sessionEndServices() override;
    FrameMode& mode() override { return state_.mode; }
    SessionEndPlan& sessionEnd() override { return state_.sessionEnd; }

    FrameState& state() { return state_; }
    SettingsRecord& settings() override { return settings_; }
    ScheduleList& schedules() override { return schedules_; }
    const DateTime& nextDriveUnitTime() const override { return nextDriveUnitTime_; }
    const DateTime& nextFileDirTime() const override { return nextFileDirTime_; }
    bool iconAdded() const { return iconAdded_; }

  private:
    std::vector<TrayMenuItem> CurrentTrayMenu();
    void LoadSettingsForDrivesPresent();
    void ComputeNextTimes();
    void OpenSettingsDialogIfDrivesChanged();
    void FollowMediaPollSetting();
    void AcceptSettings(int endCode);
    void RecomputePassedNextTimes();
    void ExitConfirmed();
    void RunSettingsDialog(const std::string& logDay);
    void TellRunFailures(const std::string& unit);

    FrameServices services_;
    SettingsContext context_;
    SettingsRecord settings_;
    ScheduleList schedules_;
    RemovablePresence removablePresence_;
    FrameState state_;
    DateTime nextDriveUnitTime_;
    DateTime nextFileDirTime_;
    RunFailures runFailures_;
    bool iconAdded_ = false;
    bool tornDown_ = false;
};

}  // namespace tv
