#include "engine/durability/batch_in_flight.h"

#include <system_error>
#include <utility>

#include "platform/file_system.h"

namespace tv {

BatchInFlight::~BatchInFlight() {
    if (!thread_.joinable()) return;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

bool BatchInFlight::Start(PendingBatch& batch, FileSystemSync sync, FileSync syncAlone,
                          FileSystemSync syncFolder) {
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread([this] { Serve(); });
        } catch (const std::system_error&) {
            return false;
        }
    }
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        batch_ = std::move(batch);
        batch = PendingBatch{};
        sync_ = std::move(sync);
        syncAlone_ = std::move(syncAlone);
        syncFolder_ = std::move(syncFolder);
        hasBatch_ = true;
    }
    inFlight_ = true;
    changed_.notify_all();
    return true;
}

bool BatchInFlight::IsBusy() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return hasBatch_;
}

SettledBatch BatchInFlight::Wait() {
    if (!inFlight_) return {};
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !hasBatch_; });
    inFlight_ = false;
    return std::move(settled_);
}

void BatchInFlight::Serve() {
    // Its own: the question which volumes are vfat is asked per thread.
    const VolumeKindScope volumeKinds;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return hasBatch_ || ending_; });
        if (!hasBatch_) return;
        // The batch and its syncs are this thread's until it says it is done with them.
        lock.unlock();
        SettledBatch settled = MakeBatchDurable(batch_, sync_, syncAlone_, syncFolder_);
        lock.lock();
        settled_ = std::move(settled);
        hasBatch_ = false;
        changed_.notify_all();
    }
}

}  // namespace tv
