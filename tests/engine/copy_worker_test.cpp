#include "engine/worker/copy_worker.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

#include "tests/engine/worker_fixture.h"
#include "tests/support/held_lock.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content) { return TreeFile{.content = content, .mtime = kNow}; }

const Tree kThreeFiles = {{"a.txt", Text("a")}, {"b.txt", Text("b")}, {"c.txt", Text("c")}};
const Tree kExtra = {{"old.txt", Text("extra")}};

size_t CountFiles(const Tree& tree) {
    size_t files = 0;
    for (const auto& [name, node] : tree) files += node.isFile ? 1 : CountFiles(node.children);
    return files;
}

TEST_F(WorkerTest, TellsTheWindowEveryStepInOrderAndEndsAfterAPause) {
    world.Write(sourceRoot, {{"a.txt", Text("a")}});

    EXPECT_EQ(RunWindowed(), 0);

    const std::vector<std::string> expected = {PhaseEvent(Phase::Counting),
                                               "total 1",
                                               PhaseEvent(Phase::Copying),
                                               LinesEvent(Path("a.txt"), Copy("a.txt")),
                                               "step",
                                               "copydone 0",
                                               "ended 0"};
    EXPECT_EQ(observer.events, expected);
    // The end waits a second on the run's clock, so the last texts stay readable.
    EXPECT_EQ(clock.Now(), kNow + 1);
    EXPECT_EQ(runner.lastTitle(), "ドライブ単位");
    // The runner hands the window to the worker beside the job: the caller's job is left as it
    // was, pointing at no window.
    static_assert(
        std::is_same_v<decltype(&CopyRunner::RunCopyJob),
                       CopyRunResult (CopyRunner::*)(const CopyJob&, const std::string&)>);
}

struct StopCase {
    const char* name;
    std::string trigger;
    int button;
    int expectedResult;
    int expectedRunResult;
    size_t expectedCopies;  // of the three source files
    bool deletionBegan;
};

class StopTest : public WorkerTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopTest, EndsTheRunWhereTheButtonWasPressed) {
    const StopCase& c = GetParam();
    job.ForceMirror = 1;
    world.Write(sourceRoot, kThreeFiles);
    world.Write(destination, kExtra);
    observer.StopAt(c.trigger, c.button);

    EXPECT_EQ(RunWindowed(), c.expectedResult);

    const Tree copies = world.Read(destination);
    EXPECT_EQ(CountFiles(copies), c.expectedCopies + 1) << copies;
    EXPECT_TRUE(copies.count("old.txt")) << "the extra file was deleted";
    EXPECT_EQ(observer.Saw(PhaseEvent(Phase::Deleting)), c.deletionBegan);
    EXPECT_EQ(observer.events.back(), "ended " + std::to_string(c.expectedRunResult));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, StopTest,
    ::testing::Values(
        // The listing fails: nothing is copied, and the window closes with 0, not the button.
        StopCase{"DuringListing", PhaseEvent(Phase::Counting), kIdStopAll, 0, 0, 0, false},
        // The copy pass is cancelled after its first file: the button's id, no deletion.
        StopCase{"DuringCopyStopAndNext", "step", kIdStopAndNext, kIdStopAndNext, 1, 1, false},
        StopCase{"DuringCopyStopAll", "step", kIdStopAll, kIdStopAll, 1, 1, false},
        // The deletion stops where it is; the copy pass went through, so the window says 0.
        StopCase{"DuringDeletion", PhaseEvent(Phase::Deleting), kIdStopAll, 0, 0, 3, true}),
    [](const ::testing::TestParamInfo<StopCase>& info) { return info.param.name; });

TEST_F(WorkerTest, AnOpenErrorAsTheLastResultKeepsTheExtras) {
    job.ForceMirror = 1;
    world.Write(sourceRoot, {{"locked.txt", Text("l")}});
    world.Write(destination, kExtra);
    const HeldLock holder(Path("locked.txt"));  // the worker cannot open the file
    ASSERT_TRUE(holder.locked());

    EXPECT_EQ(RunWindowed(), 0);

    EXPECT_EQ(world.Read(destination), kExtra);
    EXPECT_TRUE(observer.Saw("copydone 2"));
    EXPECT_FALSE(observer.Saw(PhaseEvent(Phase::Deleting)));
    EXPECT_EQ(outcome.HadError, 1);
}

TEST_F(WorkerTest, AnEmptyListingCopiesAndDeletesNothing) {
    job.ForceMirror = 1;
    world.Write(sourceRoot, {{"empty", {}}, {"also", {{"none", {}}}}});
    world.Write(destination, kExtra);

    EXPECT_EQ(RunWindowed(), 0);

    EXPECT_EQ(world.Read(destination), kExtra);
    const std::vector<std::string> expected = {PhaseEvent(Phase::Counting), "ended 0"};
    EXPECT_EQ(observer.events, expected);
}

struct IdleWaitCase {
    const char* name;
    Phase phase;
    std::string restoredLine;
};

class IdleWaitTest : public EngineTest, public ::testing::WithParamInterface<IdleWaitCase> {};

TEST_P(IdleWaitTest, WaitsPollingOnceASecondThenPutsBackThePhasesLine) {
    const IdleWaitCase& c = GetParam();
    job.IdleCheck = 1;
    RunContext context(clock, world.drives(), nullptr, &idle);
    context.SetTargets(targets);
    context.EnterPhase(c.phase);
    context.SetCurrentFile("/copy/a.txt");
    window.events.clear();
    idle.answer = [this] { return idle.calls > 3; };  // busy for the first three answers

    context.WaitForIdle(job);

    const std::vector<std::string> expected = {"lines - | 待機中です…",
                                               "lines - | " + c.restoredLine};
    EXPECT_EQ(window.events, expected);
    EXPECT_EQ(idle.calls, 4);
    EXPECT_EQ(clock.Now(), kNow + 3);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, IdleWaitTest,
    ::testing::Values(IdleWaitCase{"Counting", Phase::Counting,
                                   "申し訳ありませんが、しばらくお待ちください..."},
                      IdleWaitCase{"Copying", Phase::Copying, "/copy/a.txt"},
                      IdleWaitCase{"Deleting", Phase::Deleting, "不要ファイルを削除中..."}),
    [](const ::testing::TestParamInfo<IdleWaitCase>& info) { return info.param.name; });

TEST_F(EngineTest, IdleWaitEndsWithAStopAndAsksNothingWithoutTheOption) {
    RunContext context(clock, world.drives(), nullptr, &idle);
    context.SetTargets(targets);
    idle.answer = [&] {
        if (idle.calls == 3) context.RequestStop();
        return false;
    };
    context.WaitForIdle(job);  // IdleCheck clear: the gate is not even asked
    EXPECT_EQ(idle.calls, 0);

    job.IdleCheck = 1;
    window.events.clear();
    context.WaitForIdle(job);

    EXPECT_EQ(idle.calls, 3);
    EXPECT_EQ(context.state(), WorkerState::StopRequested);
    const std::vector<std::string> expected = {"lines - | 待機中です…"};
    EXPECT_EQ(window.events, expected);
}

TEST_F(WorkerTest, ABusyUserHoldsTheWorkerUntilAStop) {
    IdleStub stub(world.programDir());
    stub.Answer(0);
    job.IdleCheck = 1;
    world.Write(sourceRoot, kThreeFiles);
    observer.StopAt(LinesEvent("-", "待機中です…"), kIdStopAll);

    EXPECT_EQ(RunWindowed(), 0);

    EXPECT_EQ(world.Read(destination), Tree{});
    EXPECT_GE(stub.calls(), 1);
}

// A system-wide install: the idle library lies beside the program in a folder of its own, the
// log goes to the user's program directory.
TEST_F(EngineTest, TheIdleLibraryComesFromTheInstallFolderAndTheLogFromTheProgramDirectory) {
    Locations locations = world.locations();
    locations.installDir = JoinPath(world.base(), "installed");
    ASSERT_TRUE(EnsureFolder(locations.installDir));
    const IdleStub stub(locations.installDir);
    stub.Answer(1);
    job.IdleCheck = 1;
    targets.window = nullptr;
    world.Write(sourceRoot, {{"a.txt", Text("a")}});

    CopyWorker worker(job, targets, clock, world.drives(), locations);
    EXPECT_TRUE(worker.HasIdleFunction());
    worker.Start();
    worker.WaitUntilFinished();

    EXPECT_EQ(worker.runResult(), 0);
    EXPECT_GE(stub.calls(), 1);
    EXPECT_NE(DayFile().find("a.txt"), std::string::npos);
    EXPECT_FALSE(IsDirectory(JoinPath(locations.installDir, "Log")));
}

TEST_F(WorkerTest, WithoutAUsableIdleLibraryTheRunDoesNotWait) {
    const std::string garbage = "not a library";
    for (const std::string& build :
         {std::string(), std::string(TV_IDLE_STUB_WITHOUT_ENTRY_PATH), std::string("garbage")}) {
        SCOPED_TRACE(build);
        DeleteFile(IdleLibraryPath(world.programDir()));
        if (build == "garbage") {
            WriteFileAtomically(IdleLibraryPath(world.programDir()), garbage);
        } else if (!build.empty()) {
            IdleStub stub(world.programDir(), build.c_str());
        }
        job.IdleCheck = 1;
        world.Write(sourceRoot, {{"a.txt", Text("a")}});
        CopyWorker worker(job, targets, clock, world.drives(), world.locations());
        EXPECT_FALSE(worker.HasIdleFunction());
        worker.Start();
        worker.WaitUntilFinished();
        EXPECT_EQ(worker.runResult(), 0);
        EXPECT_EQ(worker.state(), WorkerState::Finished);
        EXPECT_EQ(world.Read(destination), (Tree{{"a.txt", Text("a")}}));
    }
}

TEST_F(EngineTest, AStopAfterTheEndLeavesTheWorkerFinished) {
    targets.window = nullptr;
    CopyWorker worker(job, targets, clock, world.drives(), world.locations());
    EXPECT_EQ(worker.state(), WorkerState::Idle);
    worker.Start();
    worker.WaitUntilFinished();
    worker.RequestStop();
    EXPECT_EQ(worker.state(), WorkerState::Finished);
    EXPECT_TRUE(worker.IsFinished());
}

}  // namespace
}  // namespace tv::test
