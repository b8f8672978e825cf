#include "engine/pending_copies.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "platform/clock.h"
#include "platform/paths.h"

namespace tv {

bool PendingCopies::BatchPaths::HasCopyNamed(const std::string& fileName) const {
    return std::any_of(copies.begin(), copies.end(), [&fileName](const std::string& copy) {
        return AfterLastSeparator(copy) == fileName;
    });
}

PendingCopies::PendingCopies(const Clock& clock)
    : clock_(clock),
      sync_(SyncFileSystemOf),
      syncAlone_([](File& file) { return file.Flush(); }),
      syncFolder_(SyncFolder) {}

void PendingCopies::NotePaths(const std::string& copy, const std::string& source) {
    if (batch_.empty()) batchStart_ = clock_.Now();
    paths_.paths.insert(copy);
    paths_.paths.insert(source);
    paths_.copies.push_back(copy);
    renamedIn_.insert(ContainingFolder(copy));
}

void PendingCopies::Add(SourceLook look) {
    NotePaths(look.path, look.source);
    batch_.looks.push_back(std::move(look));
    AfterAdding();
}

void PendingCopies::AddWaiting(WaitingCopy copy, uint64_t bytes) {
    NotePaths(copy.path, copy.source);
    batch_.waiting.push_back(std::move(copy));
    batch_.bytes += bytes;
    AfterAdding();
}

void PendingCopies::AfterAdding() {
    if (!copiesMayWait_) {
        if (IsDue()) Flush();
        return;
    }
    if (!IsDue() && !IsWorthSendingOff()) return;
    WaitForBatchInFlight();
    SendOff();
}

bool PendingCopies::IsDue() const {
    return batch_.size() >= kBatchCopies ||
           batch_.waiting.size() + inFlightWaiting_ >= kWaitingCopies ||
           clock_.Now() - batchStart_ >= kBatchSeconds;
}

bool PendingCopies::IsWorthSendingOff() {
    const bool largeEnough = batch_.size() >= kInFlightCopies || batch_.bytes >= kInFlightBytes;
    return largeEnough && !inFlight_.IsBusy();
}

void PendingCopies::SendOff() {
    const size_t waiting = batch_.waiting.size();
    if (!inFlight_.Start(batch_, sync_, syncAlone_)) {
        Flush();
        return;
    }
    inFlightWaiting_ = waiting;
    inFlightPaths_ = std::move(paths_);
    paths_ = BatchPaths{};
}

void PendingCopies::WaitForBatchInFlight() {
    if (!inFlight_.IsInFlight()) return;
    Tell(inFlight_.Wait());
    inFlightPaths_ = BatchPaths{};
    inFlightWaiting_ = 0;
}

bool PendingCopies::FlushIfPending(const std::string& path) {
    if (paths_.Has(path)) {
        Flush();
        return true;
    }
    if (!inFlightPaths_.Has(path)) return false;
    WaitForBatchInFlight();
    return true;
}

void PendingCopies::FlushIfAnyNamed(const std::string& fileName) {
    if (paths_.HasCopyNamed(fileName)) {
        Flush();
    } else if (inFlightPaths_.HasCopyNamed(fileName)) {
        WaitForBatchInFlight();
    }
}

void PendingCopies::Tell(SettledCopies settled) {
    for (SettledCopy& copy : settled) {
        if (!copy.durable) ++copiesNotDurable_;
        if (copy.tell) copy.tell(copy.durable);
    }
}

void PendingCopies::Flush() {
    WaitForBatchInFlight();
    if (batch_.empty()) return;
    Tell(MakeBatchDurable(batch_, sync_, syncAlone_));
    paths_ = BatchPaths{};
}

bool PendingCopies::MakeRenamesDurable() {
    Flush();
    // A folder gone since (moved to the trash with what was renamed in it) has nothing left to
    // sync; its move is noted in the folder that held it.
    std::vector<std::string> folders;
    std::copy_if(renamedIn_.begin(), renamedIn_.end(), std::back_inserter(folders),
                 [](const std::string& folder) { return IsDirectory(folder); });
    renamedIn_.clear();
    const std::map<std::string, bool> durable = SyncFileSystemsOf(folders, sync_, syncFolder_);
    return std::all_of(
        durable.begin(), durable.end(),
        [](const std::pair<const std::string, bool>& folder) { return folder.second; });
}

}  // namespace tv
