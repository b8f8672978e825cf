#include "engine/pending_copies.h"

#include <algorithm>
#include <map>

#include "platform/clock.h"
#include "platform/paths.h"

namespace tv {

void ApplySourceLook(const SourceLook& look) {
    // What a link put in the copy's place since points at is left alone.
    SetEntryTimes(look.path, look.lastAccess, look.lastWrite);
}

PendingCopies::PendingCopies(const Clock& clock) : clock_(clock), sync_(SyncFileSystemOf) {}

void PendingCopies::Add(SourceLook look) {
    if (looks_.empty()) batchStart_ = clock_.Now();
    paths_.insert(look.path);
    paths_.insert(look.source);
    looks_.push_back(std::move(look));
    if (IsDue()) Flush();
}

bool PendingCopies::IsDue() const {
    return looks_.size() >= kBatchCopies || clock_.Now() - batchStart_ >= kBatchSeconds;
}

bool PendingCopies::FlushIfPending(const std::string& path) {
    if (paths_.count(path) == 0) return false;
    Flush();
    return true;
}

void PendingCopies::FlushIfAnyNamed(const std::string& fileName) {
    const bool named = std::any_of(looks_.begin(), looks_.end(), [&](const SourceLook& look) {
        return AfterLastSeparator(look.path) == fileName;
    });
    if (named) Flush();
}

std::map<std::string, bool> PendingCopies::SyncFoldersOfBatch() const {
    // A sync writes out a whole file system, so folders on one file system share one sync:
    // thousands of copies in hundreds of folders of one drive cost one sync, not hundreds. A
    // folder whose file system cannot be told is synced on its own.
    std::map<std::string, bool> durableFolders;
    std::map<uint64_t, bool> durableFileSystems;
    for (const SourceLook& look : looks_) {
        const std::string folder = ContainingFolder(look.path);
        if (durableFolders.count(folder) != 0) continue;
        uint64_t fileSystem = 0;
        if (!FileSystemOf(folder, &fileSystem)) {
            durableFolders[folder] = sync_(folder);
            continue;
        }
        auto synced = durableFileSystems.find(fileSystem);
        if (synced == durableFileSystems.end()) {
            synced = durableFileSystems.emplace(fileSystem, sync_(folder)).first;
        }
        durableFolders[folder] = synced->second;
    }
    return durableFolders;
}

void PendingCopies::Flush() {
    if (looks_.empty()) return;
    // Every file system is synced before any copy takes its times: a folder may lie on another
    // file system than the rest (a mount inside the destination).
    std::map<std::string, bool> durable = SyncFoldersOfBatch();
    for (const SourceLook& look : looks_) {
        if (durable[ContainingFolder(look.path)]) {
            ApplySourceLook(look);
        } else {
            ++copiesLeftMarked_;
        }
    }
    looks_.clear();
    paths_.clear();
}

}  // namespace tv
