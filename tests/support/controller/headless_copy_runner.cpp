#include "tests/support/controller/headless_copy_runner.h"

#include <utility>

#include "engine/job/progress_sink.h"
#include "engine/relocation/relocation_worker.h"
#include "engine/worker/copy_worker.h"

namespace tv {

namespace {

// What the window would be told goes to the observer, when there is one.
class ForwardingSink : public ProgressSink {
  public:
    explicit ForwardingSink(ProgressSink* observer) : observer_(observer) {}
    void SetLines(const std::optional<std::string>& first,
                  const std::optional<std::string>& second) override {
        if (observer_) observer_->SetLines(first, second);
    }
    void Step() override {
        if (observer_) observer_->Step();
    }
    void SetTotal(uint64_t files) override {
        if (observer_) observer_->SetTotal(files);
    }
    void SetPhase(Phase phase) override {
        if (observer_) observer_->SetPhase(phase);
    }
    void CopyDone(FileResult passResult) override {
        if (observer_) observer_->CopyDone(passResult);
    }
    void RunEnded(int runResult) override {
        if (observer_) observer_->RunEnded(runResult);
    }

  private:
    ProgressSink* observer_;
};

}  // namespace

HeadlessCopyRunner::HeadlessCopyRunner(const Clock& clock, const DriveTable& drives,
                                       const Locations& locations, Prompts& prompts,
                                       IdleGate* controllerIdle)
    : clock_(clock),
      drives_(drives),
      locations_(locations),
      prompts_(prompts),
      controllerIdle_(controllerIdle) {}

void HeadlessCopyRunner::PressStop(int buttonId) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!stopWorker_) return;
    pressed_ = buttonId;
    stopWorker_();
}

void HeadlessCopyRunner::BeginRun(const std::string& title, std::function<void()> stop) {
    lastTitle_ = title;
    const std::lock_guard<std::mutex> lock(mutex_);
    pressed_ = 0;
    stopWorker_ = std::move(stop);
}

void HeadlessCopyRunner::EndRun() {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopWorker_ = nullptr;
}

CopyRunResult HeadlessCopyRunner::RunCopyJob(const CopyJob& job, const std::string& title) {
    ForwardingSink window(observer_);
    CopyWorker worker(job, RunTargets{&window, &prompts_}, clock_, drives_, locations_);
    BeginRun(title, [&worker] { worker.RequestStop(); });
    worker.Start();
    worker.WaitUntilFinished();
    EndRun();
    return CopyRunResult{CopyWindowResult(worker.runResult(), pressed_), worker.outcome()};
}

int HeadlessCopyRunner::RunRelocation(const RelocationRequest& request, const std::string& title) {
    ForwardingSink window(observer_);
    RelocationWorker worker(request, clock_, drives_, controllerIdle_, prompts_, &window,
                            locations_.programDir);
    BeginRun(title, [&worker] { worker.RequestStop(); });
    worker.Start();
    worker.WaitUntilFinished();
    EndRun();
    return RelocationWindowResult(static_cast<int>(worker.end()), pressed_);
}

}  // namespace tv
