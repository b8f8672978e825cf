#include "idletime/measured_answer.h"

#include <utility>

namespace tv::idle {

MeasuredAnswer::MeasuredAnswer(std::chrono::milliseconds refreshAfter,
                               std::function<bool()> measure)
    : refreshAfter_(refreshAfter), measure_(std::move(measure)) {}

bool MeasuredAnswer::IsFresh() const {
    return answered_ && std::chrono::steady_clock::now() - measuredAt_ < refreshAfter_;
}

bool MeasuredAnswer::Get() {
    std::unique_lock<std::mutex> measuring(measuring_, std::defer_lock);
    {
        const std::lock_guard<std::mutex> state(state_);
        if (answered_ && (IsFresh() || !measuring.try_lock())) return answer_;
    }
    if (!measuring.owns_lock()) {
        measuring.lock();
        const std::lock_guard<std::mutex> state(state_);
        if (IsFresh()) return answer_;
    }
    const auto startedAt = std::chrono::steady_clock::now();
    const bool answer = measure_();
    const std::lock_guard<std::mutex> state(state_);
    answer_ = answer;
    answered_ = true;
    measuredAt_ = startedAt;
    return answer;
}

}  // namespace tv::idle
