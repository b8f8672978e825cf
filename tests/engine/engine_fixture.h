// A world for running the copy engine synchronously: drives E: (source) and D: (destination),
// a fake clock on 2005/07/01 09:30:00 (UTC), a log store in the world's program folder, a
// window that records what it is told, and an idle gate the test can script.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/job/copy_job.h"
#include "engine/job/file_result.h"
#include "engine/job/job_run.h"
#include "engine/job/progress_sink.h"
#include "engine/job/run_context.h"
#include "log/log_store.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/fake_clock.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scoped_time_zone.h"
#include "tests/support/test_world.h"

namespace tv::test {

// Every notification as one line of text, in order.
class RecordingSink : public ProgressSink {
  public:
    void SetLines(const std::optional<std::string>& first,
                  const std::optional<std::string>& second) override {
        events.push_back("lines " + first.value_or("-") + " | " + second.value_or("-"));
    }
    void Step() override { events.push_back("step"); }
    void SetTotal(uint64_t files) override { events.push_back("total " + std::to_string(files)); }
    void SetPhase(Phase phase) override {
        events.push_back("phase " + std::to_string(static_cast<int>(phase)));
    }
    std::vector<std::string> events;
};

// Answers with whatever the test's function says; idle by default.
class ScriptedIdleGate : public IdleGate {
  public:
    bool IsIdle() override {
        ++calls;
        return answer ? answer() : true;
    }
    std::function<bool()> answer;
    int calls = 0;
};

// 2005-07-01 09:30:00 UTC, the fake clock's start and the default time of tree files.
constexpr std::time_t kNow = 1120210200;

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() {
        sourceRoot = world.AddDrive('E', kDriveRemovable, 0xC3F2u);
        world.AddDrive('D', kDriveFixed, 0x1234u);
        destination = JoinPath(world.root('D'), "bk/C3F2");
        record.unit = "RemovableMedia";
        record.recognition = " ";
        record.drive = "E";
        record.mode = "自動";
        record.work = "ミラーリング";
        job.Kind = Removable;
        job.Source = sourceRoot;
        job.Destination = destination;
        job.LoadControl = 0;
        job.LogRecord = &record;
    }

    // A file/directory run of the folder E:/data.
    void MakeFileDirJob() {
        job.Kind = FileDir;
        job.Source = JoinPath(sourceRoot, "data");
    }

    int Run() {
        RunContext context(clock, world.drives(), &log, &idle);
        context.SetState(WorkerState::Running);
        stopper = &context;
        const int result = RunOn(context);
        stopper = nullptr;
        openErrors = context.openErrors();
        duplicates = context.duplicates();
        return result;
    }

    // Runs the job on context with the fixture's targets. The outcome adds up over the runs of a
    // test until the test clears it.
    int RunOn(RunContext& context) {
        context.SetTargets(targets);
        context.outcome() = outcome;
        const int result = RunJob(job, context);
        outcome = context.outcome();
        return result;
    }

    std::string Path(const std::string& relative) const { return JoinPath(sourceRoot, relative); }
    std::string Copy(const std::string& relative) const { return JoinPath(destination, relative); }
    std::string DayFile(const std::string& day = "20050701") const {
        return FileBytes(JoinPath(world.programDir(), "Log/" + day + ".txt"));
    }
    // The fields the runner fills before the run, as written at the start of every line.
    std::string RunFields() const { return "RemovableMedia\t \tE\t自動\tミラーリング\t"; }

    ScopedTimeZone zone{"UTC"};
    TestWorld world;
    FakeClock clock{kNow};
    LogStore log{world.programDir()};
    RecordingSink window;
    ScriptedIdleGate idle;
    LogRecord record;
    CopyJob job;
    RunTargets targets{&window, nullptr};
    CopyOutcome outcome;
    std::string sourceRoot;
    std::string destination;
    RunContext* stopper = nullptr;  // the running context, for gates that stop the run
    int openErrors = 0;
    int duplicates = 0;
};

}  // namespace tv::test
