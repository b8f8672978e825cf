// The job's load control: a pause after every read and every write of a buffer, so that a run
// leaves the disks to the user's own programs.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/job/copy_job.h"
#include "platform/clock.h"

namespace tv {

class LoadPacer {
  public:
    LoadPacer(const Clock& clock, int32_t milliseconds)
        : clock_(clock),
          milliseconds_(static_cast<unsigned>(std::clamp(milliseconds, 0, kMaxLoadControl))) {}
    void Pause() const {
        if (milliseconds_) clock_.SleepMs(milliseconds_);
    }

  private:
    const Clock& clock_;
    unsigned milliseconds_;
};

}  // namespace tv
