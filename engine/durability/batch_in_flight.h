// One batch of copies made durable on a thread of its own, while the copy pass that made it
// goes on copying: the sync waits for the disk, and putting hundreds of copies in their places
// takes a while, neither of which needs the pass to stand still. The thread is started with the
// first batch and serves every later one of the run.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

#include "engine/durability/pending_batch.h"

namespace tv {

class BatchInFlight {
  public:
    BatchInFlight() = default;
    // Ends the thread once the batch in flight, if any, is durable.
    ~BatchInFlight();
    BatchInFlight(const BatchInFlight&) = delete;
    BatchInFlight& operator=(const BatchInFlight&) = delete;

    // Takes the batch and starts making it durable; false, with the batch left to the caller,
    // when no thread could be started. Only when nothing is in flight.
    bool Start(PendingBatch& batch, FileSystemSync sync, FileSync syncAlone,
               FileSystemSync syncFolder);
    // A batch is still being made durable.
    bool IsBusy();
    // A batch was started and not yet waited for.
    bool IsInFlight() const { return inFlight_; }
    // Waits until the batch in flight, if any, is durable; what became of each of its copies.
    SettledBatch Wait();

  private:
    void Serve();

    std::mutex mutex_;
    std::condition_variable changed_;
    // Handed over under the mutex, then the thread's alone while hasBatch_ says so.
    PendingBatch batch_;
    FileSystemSync sync_;
    FileSync syncAlone_;
    FileSystemSync syncFolder_;
    // Under the mutex.
    bool hasBatch_ = false;
    bool ending_ = false;
    SettledBatch settled_;

    bool inFlight_ = false;  // the caller's alone
    std::thread thread_;
};

}  // namespace tv
