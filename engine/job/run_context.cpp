#include "engine/job/run_context.h"

#include <thread>
#include <utility>

#include "engine/job/copy_job.h"
#include "platform/clock.h"
#include "platform/paths.h"

namespace tv {

namespace {
constexpr unsigned kIdlePollMs = 1000;
constexpr unsigned kPauseAfterFileMs = 1;
}  // namespace

RunContext::RunContext(const Clock& clock, const DriveTable& drives, LogStore* log, IdleGate* idle)
    : clock_(clock),
      drives_(drives),
      log_(log),
      idle_(idle),
      pendingCopies_(clock),
      freeSpace_(drives) {}

void RunContext::RequestStop() {
    // A worker that has not started or has already finished stays as it is, so a late press
    // never turns a finished worker back into a stopping one.
    WorkerState state = state_.load();
    while (state == WorkerState::Running || state == WorkerState::Paused) {
        if (state_.compare_exchange_weak(state, WorkerState::StopRequested)) return;
    }
}

bool RunContext::IsActive() const {
    const WorkerState state = state_.load();
    return state == WorkerState::Running || state == WorkerState::Paused;
}

void RunContext::BeginLogLines(const LogRecord* fields) {
    if (fields) {
        logLine_ = *fields;
    } else {
        logLine_.reset();
    }
}

void RunContext::EnterPhase(Phase phase) {
    phase_ = phase;
    if (window()) window()->SetPhase(phase);
}

std::string RunContext::SecondLineOfPhase() const {
    switch (phase_) {
        case Phase::Counting:
            return kLinePleaseWait;
        case Phase::Copying:
            return currentFile_;
        case Phase::Deleting:
            return kLineDeleting;
    }
    return std::string();
}

void RunContext::WaitForIdle(const CopyJob& job) {
    if (!job.IdleCheck || idle_ == nullptr || idle_->IsIdle()) return;
    bool toldWaiting = false;
    while (IsActive()) {
        if (!toldWaiting && window()) {
            window()->SetLines(std::nullopt, std::string(kLineWaitingForIdle));
        }
        toldWaiting = true;
        clock_.SleepMs(kIdlePollMs);
        if (idle_->IsIdle()) {
            if (window()) window()->SetLines(std::nullopt, SecondLineOfPhase());
            return;
        }
    }
}

void RunContext::Yield() const { std::this_thread::yield(); }

void RunContext::PauseAfterFile() const { clock_.SleepMs(kPauseAfterFileMs); }

void RunContext::NoteFoldsWithEarlier(ListedFile* file, std::string earlier) {
    file->foldsWithEarlier = true;
    earlierFolding_[file->path] = std::move(earlier);
}

const std::string* RunContext::EarlierFoldingWith(const ListedFile& file) const {
    if (!file.foldsWithEarlier) return nullptr;
    const auto earlier = earlierFolding_.find(file.path);
    return earlier == earlierFolding_.end() ? nullptr : &earlier->second;
}

void RunContext::NoteFolderMadeSure(const std::string& folder, bool made) {
    folderMadeSure_ = folder;
    folderMadeNow_ = made;
    namesPutInNewFolder_.clear();
    if (heldFolder_.path() != folder) heldFolder_.Close();
}

bool RunContext::IsSurelyAbsent(const std::string& path) const {
    return folderMadeNow_ && folderMadeSure_ == BeforeLastSeparator(path) &&
           namesPutInNewFolder_.count(AfterLastSeparator(path)) == 0;
}

void RunContext::NoteCopyPut(const std::string& path) {
    if (folderMadeNow_ && folderMadeSure_ == BeforeLastSeparator(path)) {
        namesPutInNewFolder_.insert(AfterLastSeparator(path));
    }
}

const OpenFolder* RunContext::HeldFolder(const std::string& root, const std::string& folder) {
    if (heldFolder_.IsOpen() && heldFolder_.path() == folder) return &heldFolder_;
    return heldFolder_.OpenBelow(root, folder) ? &heldFolder_ : nullptr;
}

}  // namespace tv
