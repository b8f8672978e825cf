#include "engine/batch_in_flight.h"

#include <system_error>
#include <utility>

namespace tv {

bool BatchInFlight::Start(PendingBatch& batch, FileSystemSync sync, FileSync syncAlone) {
    batch_ = std::move(batch);
    sync_ = std::move(sync);
    syncAlone_ = std::move(syncAlone);
    finished_ = false;
    try {
        thread_ = std::thread([this] {
            // Its own: the question which volumes are vfat is asked per thread.
            const VolumeKindScope volumeKinds;
            notDurable_ = MakeBatchDurable(batch_, sync_, syncAlone_);
            finished_ = true;
        });
    } catch (const std::system_error&) {
        batch = std::move(batch_);
        batch_ = PendingBatch{};
        return false;
    }
    return true;
}

size_t BatchInFlight::Wait() {
    if (!thread_.joinable()) return 0;
    thread_.join();
    const size_t notDurable = notDurable_;
    notDurable_ = 0;
    return notDurable;
}

}  // namespace tv
