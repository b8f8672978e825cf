// Runs through the headless runner, with an observer that records what a window would be told
// and presses a stop button at the moment the test names, and the stand-in idle library.
#pragma once

#include <functional>
#include <string>

#include "tests/engine/engine_fixture.h"
#include "tests/support/controller/headless_copy_runner.h"
#include "tests/support/engine/idle_stub.h"
#include "tests/support/scripted_prompts.h"

namespace tv::test {

// Event texts of the recording sink.
inline std::string PhaseEvent(Phase phase) {
    return "phase " + std::to_string(static_cast<int>(phase));
}
inline std::string LinesEvent(const std::string& first, const std::string& second) {
    return "lines " + first + " | " + second;
}

// Records every notification, the end ones too, and presses a stop button on the first event
// that the test's trigger accepts, while the worker waits for the notification to be handled.
class StoppingObserver : public RecordingSink {
  public:
    void SetLines(const std::optional<std::string>& first,
                  const std::optional<std::string>& second) override {
        RecordingSink::SetLines(first, second);
        Check();
    }
    void Step() override {
        RecordingSink::Step();
        Check();
    }
    void SetTotal(uint64_t files) override {
        RecordingSink::SetTotal(files);
        Check();
    }
    void SetPhase(Phase phase) override {
        RecordingSink::SetPhase(phase);
        Check();
    }
    void CopyDone(FileResult result) override {
        events.push_back("copydone " + std::to_string(static_cast<int>(result)));
        Check();
    }
    void RunEnded(int result) override { events.push_back("ended " + std::to_string(result)); }

    void StopAt(const std::string& event, int button) {
        trigger = event;
        this->button = button;
    }
    bool Saw(const std::string& event) const {
        for (const std::string& e : events) {
            if (e == event) return true;
        }
        return false;
    }

    HeadlessCopyRunner* runner = nullptr;
    std::string trigger;
    int button = 0;

  private:
    void Check() {
        if (trigger.empty() || events.back() != trigger) return;
        trigger.clear();
        runner->PressStop(button);
    }
};

class WorkerTest : public EngineTest {
  protected:
    WorkerTest() {
        observer.runner = &runner;
        runner.SetObserver(&observer);
    }
    // The window's result; the run's outcome is kept in the fixture's.
    int RunWindowed() {
        const CopyRunResult run = runner.RunCopyJob(job, "ドライブ単位");
        outcome = run.outcome;
        return run.windowResult;
    }

    ScriptedPrompts prompts;
    HeadlessCopyRunner runner{clock, world.drives(), world.locations(), prompts, nullptr};
    StoppingObserver observer;
};

}  // namespace tv::test
