// What went wrong during the frame's run in progress, gathered from its copy jobs, its single
// files and its destinations while it lasts, so that the end of the run tells it once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "controller/ports/notifier.h"
#include "engine/job/copy_job.h"

namespace tv {

class RunFailures {
  public:
    // Each note takes the day ("yyyy/mm/dd") it was made on; the first one's is the day of the
    // run's failures.

    // What a job that has ended reported. A mass deletion held back has a notice of its own; the
    // job counts here for its failed files and for any other error.
    void AddJob(const CopyOutcome& outcome, const std::string& day);
    // A single file of the file list that could not be copied.
    void AddFailedFile(const std::string& day);
    // A network destination whose share could not be connected: nothing was copied there.
    void AddUnreachableDestination(const std::string& destination, const std::string& day);
    // A destination made from a name that would lead out of its folder: nothing was copied.
    void AddRefusedDestination(const std::string& destination, const std::string& day);

    bool Any() const { return !day_.empty(); }
    const std::string& day() const { return day_; }
    // The notice that tells them, naming unit; none when nothing went wrong.
    std::optional<Notice> NoticeFor(const std::string& unit) const;

  private:
    void Note(const std::string& day);

    std::string day_;
    uint64_t failedFiles_ = 0;
    UnstorableFiles unstorable_;  // which of the failed files the destination could not hold
    bool otherError_ = false;
    std::string unreachable_;  // the first destination out of reach
    std::string refused_;      // the first destination refused
};

}  // namespace tv
