// The end of the session: the desktop's question whether it may end, the shutdown or log-off
// carried out when a run has ended, the run offered before the session ends, and what happens
// when the desktop refuses to end.
#include <gtest/gtest.h>

#include <functional>

#include "controller/runners/drive_unit_run.h"
#include "controller/session_end/end_action.h"
#include "tests/controller/frame_world.h"

namespace tv::test {
namespace {

constexpr const char* kLogOffQuestion = "ミラーリング終了後にログオフしてもよろしいですか？";
constexpr const char* kPowerOffQuestion =
    "ミラーリング終了後にシャットダウンしてもよろしいですか？";
constexpr const char* kExitRunNotice = "バックアップ後にWindowsを終了させます。";

class SessionEndTest : public ::testing::Test {
  protected:
    SessionEndTest() {
        w.world.AddDrive('C', kDriveFixed, 0x1111AAAA);
        backupDrive = w.world.AddDrive('D', kDriveFixed, 0x4444DDDD);
        w.StoreSettings([this](SettingsRecord& s) {
            s.SynchroDirectory = JoinPath(backupDrive, "sync");
            s.Directry2 = JoinPath(backupDrive, "mirror");
            s.Navigation = 0;
        });
        w.Start();
    }

    MainFrame& frame() { return w.frame(); }
    FrameState& state() { return w.frame().state(); }
    bool Running(int timer) const { return w.timers.running.count(timer) == 1; }

    // A drive-unit run of drive C: during which the desktop asks once whether it may end.
    bool AnswerDuringRun(bool logOff, bool unattended) {
        bool answer = true;
        w.copyRunner.insideWindow = [&] { answer = frame().OnQueryEndSession(logOff); };
        state().mode.NoteRunOrigin(unattended ? RunOrigin::Timer : RunOrigin::Manual);
        RunDriveUnit(frame(), frame().settings(),
                     unattended ? RunOrigin::Timer : RunOrigin::Manual);
        w.copyRunner.insideWindow = nullptr;
        return answer;
    }

    // Fires the timer of the work before the shutdown as long as it is started again, as the
    // event loop would; how often it fired.
    int FireBeforeShutdown() {
        int fired = 0;
        while (Running(kTimerBeforeShutdown) && fired < 10) {
            EXPECT_EQ(w.timers.running[kTimerBeforeShutdown], 0u);
            frame().OnTimer(kTimerBeforeShutdown);
            ++fired;
        }
        return fired;
    }
    // The file/directory runs made so far, all of them unattended.
    size_t FileDirRuns() const {
        size_t runs = 0;
        for (const LogRecord& fields : w.copyRunner.logFields) {
            if (fields.unit != "File/Directory") continue;
            EXPECT_EQ(fields.mode, "自動");
            ++runs;
        }
        return runs;
    }

    FrameWorld w;
    std::string backupDrive;
};

TEST_F(SessionEndTest, TheQueryFollowsTheRunTheEndActionAndTheExitRunSetting) {
    struct Case {
        const char* name;
        bool copyRunning;
        bool closing;
        int navigation;
        int endAction;
        bool exitMirroringDone;
        int executeType;
        bool mayEnd;
        bool exitRunTimer;
        int executeTypeAfter;
    };
    const Case cases[] = {
        {"nothing going on", false, false, 0, kEndNothing, false, 0, true, false, 0},
        {"an end action already chosen", true, false, 0, kEndPowerOff, false, 2, true, false, 2},
        {"a run with its window shown", true, false, 1, kEndNothing, false, 0, true, false, 0},
        {"a run with its window shown, exit run every time", true, false, 1, kEndNothing, false, 2,
         false, true, 2},
        {"exit run this time only", false, false, 0, kEndNothing, false, 1, false, true, 0},
        {"exit run every time", false, false, 0, kEndNothing, false, 2, false, true, 2},
        {"exit run already offered", false, false, 0, kEndNothing, true, 2, true, false, 2},
        {"an unknown exit run setting", false, false, 0, kEndNothing, false, 3, true, false, 3},
        // The frame's own shutdown or log-off goes through while the frame is closing.
        {"the frame's own shutdown", false, true, 0, kEndPowerOff, false, 0, true, false, 0},
        {"the frame's log-off after the exit run", false, true, 0, kEndNothing, true, 2, true,
         false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.timers.running.erase(kTimerExitRun);
        state() = FrameState{};
        if (c.copyRunning) state().mode.BeginRun();
        state().mode.NoteRunOrigin(RunOrigin::Timer);
        state().sessionEnd.EndAction = c.endAction;
        state().sessionEnd.ExitMirroringDone = c.exitMirroringDone;
        if (c.closing) state().mode.BeginClosing();
        frame().settings().Navigation = c.navigation;
        frame().settings().ExecuteType = c.executeType;

        EXPECT_EQ(frame().OnQueryEndSession(false), c.mayEnd);
        const auto exitRun = w.timers.running.find(kTimerExitRun);
        EXPECT_EQ(exitRun != w.timers.running.end(), c.exitRunTimer);
        if (exitRun != w.timers.running.end()) {
            EXPECT_EQ(exitRun->second, 1000u);
        }
        EXPECT_EQ(frame().settings().ExecuteType, c.executeTypeAfter);
        EXPECT_EQ(state().sessionEnd.EndAction, c.endAction);
    }
    EXPECT_TRUE(w.prompts.asked().empty());
}

TEST_F(SessionEndTest, AShutdownDuringAnUnattendedRunHappensWhenTheRunHasEnded) {
    EXPECT_FALSE(AnswerDuringRun(false, true));

    EXPECT_TRUE(w.prompts.asked().empty());
    // Nothing else on the screen tells why the desktop did not end at once.
    EXPECT_EQ(w.notifier.notifications,
              std::vector<std::string>{
                  "Tessaravine|実行中のバックアップが終わってからシャットダウンします。"});
    EXPECT_EQ(state().sessionEnd.EndAction, kEndPowerOff);
    EXPECT_EQ(w.session.powerOffs, 1);
    EXPECT_EQ(w.session.sessionEnds, 0);
    EXPECT_TRUE(state().mode.closing());
    EXPECT_TRUE(w.timers.running.empty());
    // The shutdown's own query now passes.
    EXPECT_TRUE(frame().OnQueryEndSession(false));
}

TEST_F(SessionEndTest, TheUserDecidesWhetherAManualRunEndsTheSession) {
    struct Case {
        bool logOff;
        const char* question;
        int answer;
        int endAction;
        int powerOffs;
        int sessionEnds;
    };
    const Case cases[] = {{true, kLogOffQuestion, kIdNo, kEndNothing, 0, 0},
                          {true, kLogOffQuestion, kIdYes, kEndLogOff, 0, 1},
                          {false, kPowerOffQuestion, kIdYes, kEndPowerOff, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question + std::string(c.answer == kIdYes ? " Yes" : " No"));
        state() = FrameState{};
        w.session = FakeSession{};
        w.prompts.Expect(c.question, "確認", kMbYesNo | kMbIconQuestion, c.answer);

        EXPECT_FALSE(AnswerDuringRun(c.logOff, false));

        EXPECT_EQ(state().sessionEnd.EndAction, c.endAction);
        EXPECT_EQ(w.session.powerOffs, c.powerOffs);
        EXPECT_EQ(w.session.sessionEnds, c.sessionEnds);
        EXPECT_EQ(state().mode.closing(), c.endAction != kEndNothing);
        EXPECT_EQ(Running(kTimerTick), c.endAction == kEndNothing);
    }
}

TEST_F(SessionEndTest, TheRunBeforeTheSessionEndsIsOfferedOnceThenTheUserIsLoggedOff) {
    frame().settings().ExecuteType = 1;
    SaveSettings(frame().settings(), w.Context());
    EXPECT_FALSE(frame().OnQueryEndSession(true));
    EXPECT_TRUE(Running(kTimerExitRun));
    EXPECT_EQ(w.StoredSettings().ExecuteType, 1);

    frame().settings().Drives['C' - 'A'].Work = DriveWork::UnitSource;
    w.prompts.Expect(kExitRunNotice, "確認", kMbOkCancel | kMbIconQuestion, kIdOk);
    frame().OnTimer(kTimerExitRun);

    // The file/directory run, unattended: no "バックアップします。" question.
    ASSERT_FALSE(w.copyRunner.logFields.empty());
    EXPECT_EQ(w.copyRunner.logFields[0].unit, "File/Directory");
    EXPECT_EQ(w.copyRunner.logFields[0].mode, "自動");
    EXPECT_EQ(w.session.sessionEnds, 1);
    EXPECT_EQ(w.session.powerOffs, 0);
    EXPECT_FALSE(Running(kTimerExitRun));
    EXPECT_TRUE(frame().OnQueryEndSession(true));
    EXPECT_TRUE(frame().OnQueryEndSession(false));
}

TEST_F(SessionEndTest, DecliningTheRunBeforeTheSessionEndsStillLogsOff) {
    frame().settings().ExecuteType = 2;
    EXPECT_FALSE(frame().OnQueryEndSession(false));
    w.prompts.Expect(kExitRunNotice, "確認", kMbOkCancel | kMbIconQuestion, kIdCancel);

    frame().OnTimer(kTimerExitRun);

    EXPECT_TRUE(w.copyRunner.titles.empty());
    EXPECT_EQ(w.session.sessionEnds, 1);
    EXPECT_EQ(w.session.powerOffs, 0);
    EXPECT_TRUE(state().mode.closing());
    EXPECT_TRUE(frame().OnQueryEndSession(false));
}

TEST_F(SessionEndTest, ARefusedEndLeavesTheProgramRunningAndTellsTheUser) {
    struct Case {
        const char* name;
        int endAction;
        bool powerOffAllowed;
        bool succeeds;
        int powerOffs;
        const char* notice;
    };
    const Case cases[] = {
        {"no right to power off", kEndPowerOff, false, true, 0,
         "Tessaravine|コンピュータをシャットダウンできませんでした。"},
        {"power-off refused", kEndPowerOff, true, false, 1,
         "Tessaravine|コンピュータをシャットダウンできませんでした。"},
        // Logging off needs no right to power off.
        {"log-off refused", kEndLogOff, false, false, 0, "Tessaravine|ログオフできませんでした。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.notifier.notifications.clear();
        w.session = FakeSession{};
        w.session.powerOffAllowed = c.powerOffAllowed;
        w.session.succeeds = c.succeeds;
        state() = FrameState{};
        state().sessionEnd.EndAction = c.endAction;

        RunDriveUnit(frame(), frame().settings(), RunOrigin::Timer);

        EXPECT_EQ(w.session.powerOffs, c.powerOffs);
        EXPECT_EQ(w.session.sessionEnds, c.endAction == kEndLogOff ? 1 : 0);
        EXPECT_EQ(w.notifier.notifications, std::vector<std::string>{c.notice});
        EXPECT_FALSE(state().mode.closing());
        EXPECT_EQ(state().sessionEnd.EndAction, c.endAction);
        EXPECT_TRUE(Running(kTimerTick));
        // The menu works again.
        w.tray.menus.clear();
        w.tray.OpenMenu();
        ASSERT_EQ(w.tray.menus.size(), 1u);
        EXPECT_FALSE(w.tray.menus[0].empty());
        EXPECT_FALSE(NoneEnabled(w.tray.menus[0]));
    }
}

TEST_F(SessionEndTest, TheEndNoticeClosesTheFrameOnlyWhenTheSessionReallyEnds) {
    frame().OnEndSession(false);
    EXPECT_TRUE(w.tray.present);
    EXPECT_TRUE(Running(kTimerTick));

    frame().OnEndSession(true);
    EXPECT_FALSE(w.tray.present);
    EXPECT_TRUE(w.timers.running.empty());
    // A second notice, or the quit after the frame closed itself, does nothing more.
    frame().OnEndSession(true);
    EXPECT_EQ(w.tray.deletions, 1);
}

// The system ends the program (a signal at shutdown or log-off): nothing is asked, a run in
// progress is stopped for good, and the frame closes once that run has ended, without carrying out
// the end action chosen during it; no run starts afterwards.
TEST_F(SessionEndTest, TheSystemsEndStopsTheRunAndClosesTheFrameAtItsEnd) {
    int closesDuringRun = -1;
    w.copyRunner.insideWindow = [&] {
        frame().OnSystemEnd();
        closesDuringRun = w.closes;
        state().sessionEnd.EndAction = kEndPowerOff;
    };
    RunDriveUnit(frame(), frame().settings(), RunOrigin::Timer);
    EXPECT_EQ(closesDuringRun, 0);
    EXPECT_EQ(w.copyRunner.stops, 1);
    EXPECT_EQ(w.closes, 1);
    EXPECT_EQ(w.session.powerOffs, 0);
    EXPECT_FALSE(w.tray.present);
    EXPECT_TRUE(w.timers.running.empty());

    const size_t runs = w.copyRunner.titles.size();
    RunDriveUnit(frame(), frame().settings(), RunOrigin::Manual);
    frame().OnSystemEnd();
    EXPECT_EQ(w.copyRunner.titles.size(), runs);
    EXPECT_EQ(w.closes, 1);
    EXPECT_TRUE(w.prompts.asked().empty());
}

TEST_F(SessionEndTest, TheSystemsEndClosesAnIdleFrameAtOnceWithoutAsking) {
    frame().OnSystemEnd();
    EXPECT_EQ(w.copyRunner.stops, 1);
    EXPECT_EQ(w.closes, 1);
    EXPECT_FALSE(w.tray.present);
    EXPECT_TRUE(w.timers.running.empty());
    EXPECT_TRUE(w.prompts.asked().empty());
}

// The system announces its shutdown: nothing is asked, a run in progress is stopped, the run
// before the session ends is made once when it is wanted, and only then may the shutdown go on.
// The end action chosen during the stopped run is not carried out: the system ends anyway.
TEST_F(SessionEndTest, AnAnnouncedShutdownStopsTheRunMakesTheExitRunThenLetsGo) {
    struct Case {
        const char* name;
        bool duringRun;
        int executeType;
        bool offered;
        size_t exitRuns;
        int executeTypeAfter;
    };
    const Case cases[] = {
        {"idle, no exit run", false, 0, false, 0, 0},
        {"idle, exit run this time only", false, 1, false, 1, 0},
        {"idle, exit run every time", false, 2, false, 1, 2},
        {"idle, exit run offered already", false, 2, true, 0, 2},
        {"during a run, no exit run", true, 0, false, 0, 0},
        {"during a run, exit run every time", true, 2, false, 1, 2},
    };
    frame().settings().Drives['C' - 'A'].Work = DriveWork::UnitSource;
    SaveSettings(frame().settings(), w.Context());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state() = FrameState{};
        state().sessionEnd.ExitMirroringDone = c.offered;
        frame().settings().ExecuteType = c.executeType;
        w.session = FakeSession{};
        w.copyRunner = FakeCopyRunner{};
        if (c.duringRun) {
            w.copyRunner.insideWindow = [&] {
                w.copyRunner.insideWindow = nullptr;
                frame().OnShutdownAhead();
                EXPECT_EQ(w.copyRunner.stops, 1);
                EXPECT_EQ(w.session.shutdownsLetGo, 0);
                state().sessionEnd.EndAction = kEndPowerOff;
            };
            RunDriveUnit(frame(), frame().settings(), RunOrigin::Timer);
        } else {
            frame().OnShutdownAhead();
        }
        EXPECT_EQ(w.session.shutdownsLetGo, 0);

        EXPECT_EQ(FireBeforeShutdown(), c.exitRuns == 0 ? 1 : 2);

        EXPECT_EQ(FileDirRuns(), c.exitRuns);
        EXPECT_EQ(w.session.shutdownsLetGo, 1);
        EXPECT_EQ(w.copyRunner.stops, c.duringRun ? 1 : 0);
        EXPECT_EQ(w.copyRunner.allowances, c.exitRuns == 0 ? 1 : 2);
        EXPECT_EQ(frame().settings().ExecuteType, c.executeTypeAfter);
        EXPECT_TRUE(state().sessionEnd.ExitMirroringDone || c.executeType == 0);
        EXPECT_EQ(w.session.powerOffs + w.session.sessionEnds, 0);
        EXPECT_EQ(w.closes, 0);
    }
    EXPECT_TRUE(w.prompts.asked().empty());
    EXPECT_EQ(w.StoredSettings().ExecuteType, 0);
}

// Whichever comes first, the desktop's query or the system's announcement, the run before the
// session ends is made once, and the frame ends no session itself while the system shuts down.
TEST_F(SessionEndTest, TheQueryAndTheAnnouncementMakeTheExitRunOnce) {
    frame().settings().Drives['C' - 'A'].Work = DriveWork::UnitSource;
    frame().settings().ExecuteType = 1;

    // The query put the end off to make the run ("this time only" is forgotten there); the
    // announcement comes before its timer.
    EXPECT_FALSE(frame().OnQueryEndSession(true));
    frame().OnShutdownAhead();
    EXPECT_FALSE(Running(kTimerExitRun));
    FireBeforeShutdown();
    EXPECT_EQ(FileDirRuns(), 1u);
    EXPECT_EQ(w.session.shutdownsLetGo, 1);
    EXPECT_TRUE(frame().OnQueryEndSession(true));
    EXPECT_TRUE(w.prompts.asked().empty());

    // The announcement comes during the run the query's timer started.
    frame().settings().ExecuteType = 2;
    state() = FrameState{};
    w.session = FakeSession{};
    w.copyRunner = FakeCopyRunner{};
    EXPECT_FALSE(frame().OnQueryEndSession(true));
    w.copyRunner.insideWindow = [&] {
        w.copyRunner.insideWindow = nullptr;
        frame().OnShutdownAhead();
    };
    w.prompts.Expect(kExitRunNotice, "確認", kMbOkCancel | kMbIconQuestion, kIdOk);
    frame().OnTimer(kTimerExitRun);
    FireBeforeShutdown();
    EXPECT_EQ(FileDirRuns(), 1u);
    EXPECT_EQ(w.copyRunner.stops, 1);
    EXPECT_EQ(w.session.shutdownsLetGo, 1);
    EXPECT_EQ(w.session.sessionEnds, 0);
    EXPECT_FALSE(state().mode.closing());

    // The announcement comes while the query's timer asks whether to make the run.
    state() = FrameState{};
    w.session = FakeSession{};
    w.copyRunner = FakeCopyRunner{};
    EXPECT_FALSE(frame().OnQueryEndSession(true));
    w.prompts.whileAsking = [&] {
        w.prompts.whileAsking = nullptr;
        frame().OnShutdownAhead();
        FireBeforeShutdown();
    };
    w.prompts.Expect(kExitRunNotice, "確認", kMbOkCancel | kMbIconQuestion, kIdOk);
    frame().OnTimer(kTimerExitRun);
    EXPECT_EQ(FileDirRuns(), 1u);
    EXPECT_EQ(w.session.shutdownsLetGo, 1);
    EXPECT_EQ(w.session.sessionEnds, 0);
}

TEST_F(SessionEndTest, AShutdownCalledOffLeavesTheProgramAsItWas) {
    frame().settings().Drives['C' - 'A'].Work = DriveWork::UnitSource;
    frame().settings().ExecuteType = 2;
    frame().OnShutdownAhead();
    frame().OnShutdownCalledOff();

    EXPECT_FALSE(Running(kTimerBeforeShutdown));
    EXPECT_EQ(w.copyRunner.allowances, 1);
    EXPECT_TRUE(w.copyRunner.titles.empty());
    EXPECT_FALSE(state().sessionEnd.ExitMirroringDone);
    EXPECT_TRUE(Running(kTimerTick));
    // A run ends as it always does, and the next announcement finds the exit run still wanted.
    state().sessionEnd.EndAction = kEndLogOff;
    RunDriveUnit(frame(), frame().settings(), RunOrigin::Timer);
    EXPECT_EQ(w.session.sessionEnds, 1);
    state() = FrameState{};
    frame().OnShutdownAhead();
    FireBeforeShutdown();
    EXPECT_EQ(FileDirRuns(), 1u);
    EXPECT_EQ(w.session.shutdownsLetGo, 1);
}

// The system ends the program before the announced shutdown's work is done: the program exits
// at the end of the stopped run, with its runs kept stopped and no exit run.
TEST_F(SessionEndTest, TheSystemsEndDuringTheWorkBeforeShutdownClosesTheFrame) {
    frame().settings().ExecuteType = 2;
    w.copyRunner.insideWindow = [&] {
        w.copyRunner.insideWindow = nullptr;
        frame().OnShutdownAhead();
        frame().OnSystemEnd();
    };
    RunDriveUnit(frame(), frame().settings(), RunOrigin::Timer);
    frame().OnShutdownCalledOff();

    EXPECT_EQ(w.closes, 1);
    EXPECT_EQ(FileDirRuns(), 0u);
    EXPECT_EQ(w.copyRunner.allowances, 0);
    EXPECT_TRUE(w.timers.running.empty());
}

}  // namespace
}  // namespace tv::test
