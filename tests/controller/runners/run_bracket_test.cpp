// Runs happen inside a bracket of the frame: what arrives while a run is inside its modal window
// (a tick, a click on the icon, the exit, another run) is kept out as it happens.
#include "controller/runners/run_bracket.h"

#include <gtest/gtest.h>

#include "engine/job/copy_job.h"
#include "tests/controller/frame_world.h"

namespace tv::test {
namespace {

class RunBracketTest : public ::testing::Test {
  protected:
    RunBracketTest() : frame(w.Start()) {}

    // One run of the given kind through the copy runner, while inside does what arrives then.
    void RunWhile(TickDuringRun tick, const std::function<void()>& inside) {
        w.copyRunner.insideWindow = inside;
        const RunBracket run = frame.BeginRun(tick, "");
        ASSERT_TRUE(run.entered());
        CopyJob job;
        w.copyRunner.RunCopyJob(job, "");
    }

    FrameWorld w;
    MainFrame& frame;
};

TEST_F(RunBracketTest, WhatArrivesDuringADriveUnitRunIsKeptOut) {
    const size_t dialogsBefore = w.dialog.timersAtOpen.size();
    const size_t tipsBefore = w.tray.tips.size();
    bool tickRanInside = true;
    bool secondRunEntered = true;
    RunWhile(TickDuringRun::Stopped, [&] {
        tickRanInside = w.timers.running.count(kTimerTick) != 0;
        // An expiry already on its way, and the run it would start.
        frame.OnTimer(kTimerTick);
        secondRunEntered = frame.BeginRun(TickDuringRun::GoesOn, "").entered();
        EXPECT_TRUE(frame.state().mode.running());  // a refused bracket leaves the run's flag alone
        w.tray.OpenMenu();
        frame.OnTrayEvent(TrayEvent::LeftDoubleClick);
        frame.OnClose();
    });

    EXPECT_FALSE(tickRanInside);
    EXPECT_FALSE(secondRunEntered);
    ASSERT_EQ(w.tray.menus.size(), 1u);
    EXPECT_TRUE(NoneEnabled(w.tray.menus[0]));
    EXPECT_EQ(w.dialog.timersAtOpen.size(), dialogsBefore);
    EXPECT_TRUE(w.prompts.asked().empty());
    EXPECT_EQ(w.copyRunner.titles.size(), 1u);
    // After the run: the tick again, the tip brought up to date, and the frame free.
    EXPECT_EQ(w.timers.running.at(kTimerTick), kTickPeriodMs);
    EXPECT_EQ(w.tray.tips.size(), tipsBefore + 1);
    EXPECT_FALSE(frame.state().mode.running());
    EXPECT_TRUE(frame.BeginRun(TickDuringRun::Stopped, "").entered());
}

TEST_F(RunBracketTest, ARemovableRunLeavesTheTickRunningAndItFindsTheRunInProgress) {
    bool tickRanInside = false;
    bool tickRunEntered = true;
    RunWhile(TickDuringRun::GoesOn, [&] {
        tickRanInside = w.timers.running.count(kTimerTick) != 0;
        frame.OnTimer(kTimerTick);
        tickRunEntered = frame.BeginRun(TickDuringRun::Stopped, "").entered();
    });

    EXPECT_TRUE(tickRanInside);
    EXPECT_FALSE(tickRunEntered);
    EXPECT_EQ(w.timers.running.at(kTimerTick), kTickPeriodMs);
    EXPECT_FALSE(frame.state().mode.running());
}

}  // namespace
}  // namespace tv::test
