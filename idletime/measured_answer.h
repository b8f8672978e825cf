// A yes/no answer that is slow to measure, shared by every thread that asks. It is measured
// again once older than the refresh period, by one thread at a time; meanwhile the others take
// the previous answer rather than wait for a bus that may be slow to reply. Only the very first
// answer is waited for.
#pragma once

#include <chrono>
#include <functional>
#include <mutex>

namespace tv::idle {

class MeasuredAnswer {
  public:
    MeasuredAnswer(std::chrono::milliseconds refreshAfter, std::function<bool()> measure);

    bool Get();

  private:
    bool IsFresh() const;

    const std::chrono::milliseconds refreshAfter_;
    const std::function<bool()> measure_;
    std::mutex measuring_;
    std::mutex state_;
    bool answered_ = false;
    bool answer_ = false;
    std::chrono::steady_clock::time_point measuredAt_;
};

}  // namespace tv::idle
