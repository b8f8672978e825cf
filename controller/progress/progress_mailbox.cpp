#include "controller/progress/progress_mailbox.h"

#include <utility>

namespace tv {

template <typename Change>
bool ProgressMailbox::Put(bool opensBatch, Change change) {
    std::lock_guard<std::mutex> lock(mutex_);
    const bool wasEmpty = batches_.empty();
    if (opensBatch || wasEmpty) batches_.emplace_back();
    change(batches_.back());
    return wasEmpty;
}

bool ProgressMailbox::PutLines(const std::optional<std::string>& first,
                               const std::optional<std::string>& second) {
    return Put(false, [&](ProgressBatch& batch) {
        if (first) batch.first = first;
        if (second) batch.second = second;
    });
}

bool ProgressMailbox::PutStep() {
    return Put(false, [](ProgressBatch& batch) { ++batch.steps; });
}

bool ProgressMailbox::PutTotal(uint64_t files) {
    return Put(true, [files](ProgressBatch& batch) { batch.total = files; });
}

bool ProgressMailbox::PutPhase(Phase phase) {
    return Put(true, [phase](ProgressBatch& batch) { batch.phase = phase; });
}

std::vector<ProgressBatch> ProgressMailbox::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(batches_, {});
}

}  // namespace tv
