// One batch of copies made durable on a thread of its own, while the copy pass that made it
// goes on copying: the sync waits for the disk, and putting hundreds of copies in their places
// takes a while, neither of which needs the pass to stand still.
#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

#include "engine/pending_batch.h"

namespace tv {

class BatchInFlight {
  public:
    BatchInFlight() = default;
    ~BatchInFlight() { Wait(); }
    BatchInFlight(const BatchInFlight&) = delete;
    BatchInFlight& operator=(const BatchInFlight&) = delete;

    // Takes the batch and starts making it durable; false, with the batch left to the caller,
    // when no thread could be started. Only when nothing is in flight.
    bool Start(PendingBatch& batch, FileSystemSync sync, FileSync syncAlone);
    // A batch is still being made durable.
    bool IsBusy() const { return thread_.joinable() && !finished_.load(); }
    bool IsInFlight() const { return thread_.joinable(); }
    // Waits until the batch in flight, if any, is durable; how many of its copies could not be
    // made so.
    size_t Wait();

  private:
    PendingBatch batch_;  // the thread's alone until it is joined
    FileSystemSync sync_;
    FileSync syncAlone_;
    size_t notDurable_ = 0;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

}  // namespace tv
