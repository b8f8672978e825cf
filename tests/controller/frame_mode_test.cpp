// What the frame may do in each situation its handlers can bring about, the overlapping ones
// included: the dialog, the exit confirmation and a run's window are modal and let events
// through, so a run can start under the first two, and the program can end during a run.
#include "controller/frame_mode.h"

#include <gtest/gtest.h>

#include <functional>

namespace tv {
namespace {

struct GuardCase {
    const char* name;
    std::function<void(FrameMode&)> reach;
    bool canStartRun;
    bool canOpenDialog;
    bool keepsDialogShut;
    bool canConfirmExit;
    bool canMeetShutdown;
    bool worksTowardsShutdown;
};

TEST(ControllerFrameMode, GuardsInEverySituation) {
    const GuardCase cases[] = {
        {"idle", [](FrameMode&) {}, true, true, false, true, true, false},
        {"dialog open: a tick may still run", [](FrameMode& m) { m.OpenDialog(); }, true, false,
         false, true, true, false},
        {"run", [](FrameMode& m) { m.BeginRun(); }, false, false, true, false, true, false},
        {"run started from the dialog",
         [](FrameMode& m) {
             m.OpenDialog();
             m.BeginRun();
         },
         false, false, true, false, true, false},
        {"the run under the dialog has ended",
         [](FrameMode& m) {
             m.OpenDialog();
             m.BeginRun();
             m.EndRun();
         },
         true, false, false, true, true, false},
        {"exit being confirmed: a tick may still run", [](FrameMode& m) { m.BeginClosing(); }, true,
         false, true, false, true, false},
        {"exit answered no",
         [](FrameMode& m) {
             m.BeginClosing();
             m.EndClosing();
         },
         true, true, false, true, true, false},
        {"ending", [](FrameMode& m) { m.BeginEnding(); }, false, true, false, true, false, false},
        {"shutdown ahead: the run before it may start", [](FrameMode& m) { m.AnnounceShutdown(); },
         true, true, false, true, false, true},
        {"ending with a shutdown ahead",
         [](FrameMode& m) {
             m.AnnounceShutdown();
             m.BeginEnding();
         },
         false, true, false, true, false, false},
        {"shutdown called off",
         [](FrameMode& m) {
             m.AnnounceShutdown();
             m.CallOffShutdown();
         },
         true, true, false, true, true, false},
    };
    for (const GuardCase& c : cases) {
        FrameMode mode;
        c.reach(mode);
        EXPECT_EQ(mode.CanStartRun(), c.canStartRun) << c.name;
        EXPECT_EQ(mode.CanOpenDialog(), c.canOpenDialog) << c.name;
        EXPECT_EQ(mode.KeepsDialogShut(), c.keepsDialogShut) << c.name;
        EXPECT_EQ(mode.CanConfirmExit(), c.canConfirmExit) << c.name;
        EXPECT_EQ(mode.CanMeetShutdown(), c.canMeetShutdown) << c.name;
        EXPECT_EQ(mode.WorksTowardsShutdown(), c.worksTowardsShutdown) << c.name;
    }
}

// Who asked for the latest run is kept after the run, until the next one is asked for: the
// session's end, queried during a run, is put off without asking for a run nobody started.
TEST(ControllerFrameMode, TheRunOriginTellsAttendedFromUnattended) {
    struct Case {
        RunOrigin origin;
        bool unattended;
        bool scheduled;
    };
    const Case cases[] = {{RunOrigin::Manual, false, false},
                          {RunOrigin::Timer, true, false},
                          {RunOrigin::Schedule, true, true},
                          {RunOrigin::SessionEnd, true, false},
                          {RunOrigin::Medium, true, false}};
    FrameMode fresh;
    EXPECT_FALSE(fresh.unattended());
    EXPECT_FALSE(fresh.scheduled());
    for (const Case& c : cases) {
        FrameMode mode;
        mode.NoteRunOrigin(c.origin);
        mode.BeginRun();
        mode.EndRun();
        EXPECT_EQ(mode.unattended(), c.unattended) << static_cast<int>(c.origin);
        EXPECT_EQ(mode.scheduled(), c.scheduled) << static_cast<int>(c.origin);
    }
}

}  // namespace
}  // namespace tv
