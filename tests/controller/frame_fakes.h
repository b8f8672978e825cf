// Fakes of the frame's desktop ports. Each records what the frame asked of it; the copy runner
// can act while a run is inside its window, as a user or the desktop would during a modal run.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "controller/frame_ids.h"
#include "controller/ports/copy_runner.h"
#include "controller/ports/media_watch.h"
#include "controller/ports/notifier.h"
#include "controller/ports/session.h"
#include "controller/ports/settings_dialog.h"
#include "controller/ports/timers.h"
#include "controller/ports/tray.h"
#include "controller/ports/voice.h"
#include "engine/job/run_context.h"
#include "platform/share_mounter.h"

namespace tv::test {

class FakeTray : public Tray {
  public:
    void SetMenu(TrayMenu menu) override { menu_ = std::move(menu); }
    bool AddIcon(const std::string& tip) override {
        if (!available) return false;
        present = true;
        tips.push_back(tip);
        return true;
    }
    void ModifyIcon(const std::string& tip) override { tips.push_back(tip); }
    void DeleteIcon() override {
        present = false;
        ++deletions;
    }
    // The user opens the icon's menu and picks choice when the menu shows it enabled (0: the
    // menu closes without a choice).
    void OpenMenu() {
        const std::vector<TrayMenuItem> shown = menu_.items();
        menus.push_back(shown);
        for (const TrayMenuItem& item : shown) {
            if (item.id == choice && item.enabled) menu_.choose(choice);
        }
    }
    // A choice the desktop delivers whatever the frame shows now: from a menu shown before.
    void Choose(int id) { menu_.choose(id); }

    bool available = true;  // whether there is a notification area
    int choice = 0;         // what the user picks from every menu
    bool present = false;
    int deletions = 0;
    std::vector<std::string> tips;                 // the added icon's tip first, then every change
    std::vector<std::vector<TrayMenuItem>> menus;  // what each opening showed

  private:
    TrayMenu menu_;
};

inline bool NoneEnabled(const std::vector<TrayMenuItem>& items) {
    for (const TrayMenuItem& item : items) {
        if (item.enabled) return false;
    }
    return true;
}

class FakeTimers : public Timers {
  public:
    void Start(int id, unsigned periodMs) override { running[id] = periodMs; }
    void Stop(int id) override { running.erase(id); }
    std::map<int, unsigned> running;  // id -> period
};

class FakeSettingsDialog : public SettingsDialog {
  public:
    explicit FakeSettingsDialog(const FakeTimers& timers) : timers_(timers) {}
    int Run(SettingsRecord& live, ScheduleList& schedules, const std::string& logDay) override {
        timersAtOpen.push_back(timers_.running);
        logDaysAtOpen.push_back(logDay);
        if (whileOpen) whileOpen();
        if (edit) edit(live);
        if (editSchedules) editSchedules(schedules);
        return endCode;
    }

    int endCode = kSettingsCancel;
    std::function<void(SettingsRecord&)> edit;         // what the user changes
    std::function<void(ScheduleList&)> editSchedules;  // what the user changes in the list
    void ShowActivityLog(const std::string& day) override { logDaysShown.push_back(day); }
    void BringToFront() override { ++broughtToFront; }
    std::function<void()> whileOpen;                    // what arrives while the dialog is open
    std::vector<std::map<int, unsigned>> timersAtOpen;  // one entry per opening
    std::vector<std::string> logDaysAtOpen;             // the log day each opening showed
    std::vector<std::string> logDaysShown;              // the log days shown on the open dialog
    int broughtToFront = 0;                             // times the open dialog came to the front

  private:
    const FakeTimers& timers_;
};

// Runs nothing: while a run is "inside its window" it calls insideWindow, where a test delivers
// the ticks, clicks, media changes and session-end queries that would arrive then.
class FakeCopyRunner : public CopyRunner {
  public:
    CopyRunResult RunCopyJob(const CopyJob& job, const std::string& title) override {
        titles.push_back(title);
        sources.push_back(job.Source);
        logFields.push_back(job.LogRecord ? *job.LogRecord : LogRecord{});
        if (insideWindow) insideWindow();
        CopyRunResult run;
        if (finish) finish(job, run.outcome);
        jobs.push_back(job);
        run.windowResult = NextResult();
        return run;
    }
    int RunRelocation(const RelocationRequest& request, const std::string& title) override {
        titles.push_back(title);
        sources.push_back(request.OldFolder);
        if (insideWindow) insideWindow();
        return result;
    }
    void StopRuns() override { ++stops; }
    void AllowRuns() override { ++allowances; }

    std::function<void()> insideWindow;
    // What the engine reports of each job it ran.
    std::function<void(const CopyJob&, CopyOutcome&)> finish;
    int result = 0;          // what every run ends with, once the script is used up
    std::deque<int> script;  // what the next copy runs end with, in turn
    std::vector<std::string> titles;
    std::vector<std::string> sources;
    std::vector<CopyJob> jobs;         // as handed over (their lists point into the settings)
    std::vector<LogRecord> logFields;  // the log record each copy run was given
    int stops = 0;       // of the runs: the run in progress, and those asked for later
    int allowances = 0;  // of runs after they were stopped

  private:
    int NextResult() {
        if (script.empty()) return result;
        const int scripted = script.front();
        script.pop_front();
        return scripted;
    }
};

class FakeVoice : public Voice {
  public:
    void Play(const std::string& path, bool wait) override {
        played.push_back(path + (wait ? " (waited)" : ""));
    }
    void Stop() override { ++stops; }
    std::vector<std::string> played;
    int stops = 0;
};

class FakeSession : public Session {
  public:
    bool MayPowerOff() override { return powerOffAllowed; }
    bool PowerOff() override {
        ++powerOffs;
        return succeeds;
    }
    bool EndSession() override {
        ++sessionEnds;
        return succeeds;
    }
    void LetShutdownProceed() override { ++shutdownsLetGo; }
    bool powerOffAllowed = true;
    bool succeeds = true;
    int powerOffs = 0;
    int sessionEnds = 0;
    int shutdownsLetGo = 0;
};

class FakeMediaWatch : public MediaWatch {
  public:
    bool Start(std::function<void()> handler) override {
        onChange = std::move(handler);
        return true;
    }
    void Stop() override { onChange = nullptr; }
    // Where a test delivers a change of the mount table.
    std::function<void()> onChange;
};

class FakeNotifier : public Notifier {
  public:
    bool Notify(const Notice& notice) override {
        notifications.push_back(notice.summary + "|" + notice.body);
        notices.push_back(notice);
        return true;
    }
    // The user chooses the action of the last notice.
    void ChooseLastAction() {
        ASSERT_FALSE(notices.empty());
        ASSERT_TRUE(notices.back().action.has_value());
        notices.back().action->chosen();
    }
    std::vector<std::string> notifications;  // "summary|body" of each notice
    std::vector<Notice> notices;
};

// A server whose shares mount as the test says; every call is recorded.
class FakeShareMounter : public ShareMounter {
  public:
    MountResult Mount(const std::string& share, const ShareCredentials*) override {
        mounts.push_back(share);
        return answer;
    }
    bool Unmount(const std::string& share) override {
        unmounts.push_back(share);
        return true;
    }
    MountResult answer = MountResult::kMounted;
    std::vector<std::string> mounts;
    std::vector<std::string> unmounts;
};

class FakeIdle : public IdleGate {
  public:
    explicit FakeIdle(bool idle) : idle_(idle) {}
    bool IsIdle() override { return idle_; }

  private:
    bool idle_;
};

}  // namespace tv::test
