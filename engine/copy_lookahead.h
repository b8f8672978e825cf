// Looks ahead, on a second thread, at the copies of the files the copy pass has not reached
// yet, from the last file backwards, and marks those whose copy needs nothing: the pass then
// passes over them without a look of its own, and the two threads read the destination side
// by side. Only "needs nothing" is taken from the look ahead; every other file is looked at
// again by the pass just before it is copied, so nothing is written on an earlier reading.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <thread>
#include <vector>

#include "engine/copy_job.h"
#include "engine/listed_file.h"

namespace tv {

class DriveTable;

class CopyLookahead {
  public:
    // Looks ahead only where it pays and where a copy's place is its source's path below the
    // destination: a plain tree of many files, not compared byte for byte.
    CopyLookahead(const CopyJob& job, const DriveTable& drives,
                  const std::deque<ListedFile>& files);
    ~CopyLookahead();  // stops the look ahead and waits for it
    CopyLookahead(const CopyLookahead&) = delete;
    CopyLookahead& operator=(const CopyLookahead&) = delete;

    // True when the copy of the file at index was seen needing nothing. Called with rising
    // indices by the pass: the look ahead stops where the pass is.
    bool SawCurrent(size_t index);
    // Waits until the look ahead has decided every file the pass has not reached.
    void Finish();

  private:
    void LookBackwards();

    const CopyJob& job_;
    const DriveTable& drives_;
    const std::deque<ListedFile>& files_;
    std::vector<uint8_t> current_;
    std::atomic<size_t> passAt_{0};   // the index the pass looks at itself, and all below
    std::atomic<size_t> lookedFrom_;  // the look ahead has decided every index from here on
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace tv
