#include "ui/test_mode/background_speed_test.h"

#include "engine/scan/timed_copy.h"
#include "engine/worker/worker_thread.h"

namespace tv {

BackgroundSpeedTest::BackgroundSpeedTest(const SpeedTestRequest& request, SettingsRecord& settings,
                                         const SpeedTestServices& services, EndHandler ended,
                                         QObject* parent)
    : QObject(parent),
      request_(request),
      services_(services),
      test_(request_, settings, services_),
      ended_(std::move(ended)) {}

BackgroundSpeedTest::~BackgroundSpeedTest() {
    stop_ = true;
    worker_.reset();
}

void BackgroundSpeedTest::Start() {
    running_ = true;
    if (request_.runs == 0 || !test_.ReadyForFile()) {
        End(0);
        return;
    }
    OffThread([this] { return test_.WriteFile(&stop_) ? uint64_t{1} : uint64_t{0}; },
              &BackgroundSpeedTest::FileWritten);
}

// The step's result comes back through the event queue: once this object is gone, Qt drops it.
void BackgroundSpeedTest::OffThread(std::function<uint64_t()> work, Step then) {
    worker_ = std::make_unique<WorkerThread>();
    worker_->Start([this, work = std::move(work), then] {
        const uint64_t result = work();
        QMetaObject::invokeMethod(
            this, [this, then, result] { (this->*then)(result); }, Qt::QueuedConnection);
    });
}

void BackgroundSpeedTest::FileWritten(uint64_t written) {
    if (written == 0) {
        End(0);
        return;
    }
    test_.TellTimingStart();
    NextRun();
}

void BackgroundSpeedTest::NextRun() {
    while (test_.RunsLeft()) {
        const std::optional<TimedCopyOrder> order = test_.BeginRun();
        if (order) {
            OffThread([this, order = *order] { return TimedCopy(order, &stop_); },
                      &BackgroundSpeedTest::RunTimed);
            return;
        }
        test_.EndRun(0);
    }
    End(test_.Finish());
}

void BackgroundSpeedTest::RunTimed(uint64_t ms) {
    test_.EndRun(ms);
    NextRun();
}

void BackgroundSpeedTest::End(uint64_t averageMs) {
    running_ = false;
    ended_(averageMs);
}

}  // namespace tv
