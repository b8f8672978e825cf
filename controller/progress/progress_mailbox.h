// What the worker has told the progress window and the window has not shown yet. The worker
// puts each notification in without waiting; the window takes everything at once when it gets
// round to it, so however many files passed meanwhile it repaints once.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/job/progress_sink.h"

namespace tv {

// Notifications the window shows in one go. A new total or phase opens a batch, since what came
// before it must be shown before it; within a batch only the newest lines are kept and steps are
// counted.
struct ProgressBatch {
    std::optional<uint64_t> total;  // shown first, then the phase
    std::optional<Phase> phase;
    std::optional<std::string> first;  // shown after the phase, so that they replace its text
    std::optional<std::string> second;
    uint64_t steps = 0;
};

class ProgressMailbox {
  public:
    // Each is called by the worker and answers true when the mailbox was empty, that is when
    // the window has to be asked to take it; otherwise a request is already on its way.
    bool PutLines(const std::optional<std::string>& first,
                  const std::optional<std::string>& second);
    bool PutStep();
    bool PutTotal(uint64_t files);
    bool PutPhase(Phase phase);

    // Called by the window: everything put since the last take, oldest batch first.
    std::vector<ProgressBatch> Take();

  private:
    template <typename Change>
    bool Put(bool opensBatch, Change change);

    std::mutex mutex_;
    std::vector<ProgressBatch> batches_;
};

}  // namespace tv
