#include "engine/durability/pending_copies.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <utility>

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
    if (!inFlight_.Start(batch_, sync_, syncAlone_, syncFolder_)) {
        Flush();
        return;
    }
    inFlightWaiting_ = waiting;
    inFlightPaths_ = std::move(paths_);
    paths_ = BatchPaths{};
}

void PendingCopies::WaitForBatchInFlight() {
    if (!inFlight_.IsInFlight()) return;
    Settle(inFlight_.Wait());
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

void PendingCopies::Tell(SettledCopy& copy, bool durable) {
    if (!durable) ++copiesNotDurable_;
    if (copy.tell) copy.tell(durable);
}

void PendingCopies::Settle(SettledBatch settled) {
    // This batch's sync followed every rename of the batch before: one batch is in flight at a
    // time, and it is sent off only once the one before is told.
    TellHeld(HeldFoldersAfter(settled.syncedFileSystems), false);
    for (SettledCopy& copy : settled.copies) {
        if (copy.awaitsSyncIn.empty()) {
            Tell(copy, copy.durable);
        } else {
            held_.push_back(std::move(copy));
        }
    }
}

std::map<std::string, bool> PendingCopies::HeldFoldersAfter(
    const std::map<uint64_t, bool>& synced) {
    std::set<std::string> folders;
    for (const SettledCopy& copy : held_) folders.insert(copy.awaitsSyncIn);
    std::map<std::string, bool> durable;
    // Rare (a mount inside the destination): synced now, so that no more lines are held.
    std::vector<std::string> unreached;
    for (const std::string& folder : folders) {
        uint64_t fileSystem = 0;
        const auto found =
            FileSystemOf(folder, &fileSystem) ? synced.find(fileSystem) : synced.end();
        if (found == synced.end()) {
            unreached.push_back(folder);
        } else {
            durable[folder] = found->second;
        }
    }
    if (!unreached.empty()) durable.merge(SyncFileSystemsOf(unreached, sync_, syncFolder_));
    return durable;
}

void PendingCopies::TellHeld(const std::map<std::string, bool>& durableFolders, bool otherwise) {
    for (SettledCopy& copy : held_) {
        const auto folder = durableFolders.find(copy.awaitsSyncIn);
        Tell(copy, copy.durable && (folder != durableFolders.end() ? folder->second : otherwise));
    }
    held_.clear();
}

void PendingCopies::Flush() {
    WaitForBatchInFlight();
    if (batch_.empty()) return;
    Settle(MakeBatchDurable(batch_, sync_, syncAlone_, syncFolder_));
    paths_ = BatchPaths{};
}

bool PendingCopies::MakeRenamesDurable() {
    Flush();
    std::set<std::string> renamedIn = std::move(renamedIn_);
    renamedIn_.clear();
    for (const SettledCopy& copy : held_) renamedIn.insert(copy.awaitsSyncIn);
    // A folder gone since (moved to the trash with what was renamed in it) has nothing left to
    // sync; its move is noted in the folder that held it.
    std::vector<std::string> folders;
    std::copy_if(renamedIn.begin(), renamedIn.end(), std::back_inserter(folders),
                 [](const std::string& folder) { return IsDirectory(folder); });
    const std::map<std::string, bool> durable = SyncFileSystemsOf(folders, sync_, syncFolder_);
    const bool allDurable =
        std::all_of(durable.begin(), durable.end(),
                    [](const std::pair<const std::string, bool>& folder) { return folder.second; });
    // A copy whose folder is gone went with it: durable as the moves are.
    TellHeld(durable, allDurable);
    return allDurable;
}

}  // namespace tv
