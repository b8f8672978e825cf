#include "engine/worker/worker_thread.h"

#include <utility>

#include "engine/job/run_context.h"

namespace tv {

WorkerThread::~WorkerThread() {
    if (thread_.joinable()) thread_.join();
}

bool WorkerThread::Start(std::function<void()> body) {
    if (thread_.joinable()) return false;
    thread_ = std::thread([this, body = std::move(body)] {
        body();
        MarkFinished();
    });
    return true;
}

void WorkerThread::StartRun(RunContext& context, std::function<void()> body) {
    if (IsStarted()) return;
    context.SetState(WorkerState::Running);
    Start([&context, body = std::move(body)] {
        body();
        context.SetState(WorkerState::Finished);
    });
}

bool WorkerThread::IsFinished() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return finished_;
}

void WorkerThread::WaitUntilFinished() {
    if (!thread_.joinable()) return;
    std::unique_lock<std::mutex> lock(mutex_);
    finishedChanged_.wait(lock, [this] { return finished_; });
}

void WorkerThread::MarkFinished() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
    }
    finishedChanged_.notify_all();
}

}  // namespace tv
