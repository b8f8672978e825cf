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

PendingCopies::PendingCopies(const Clock& clock)
    : clock_(clock), sync_(SyncFileSystemOf), syncAlone_([](File& file) { return file.Flush(); }) {}

void PendingCopies::NotePaths(const std::string& copy, const std::string& source) {
    if (looks_.empty() && waiting_.empty()) batchStart_ = clock_.Now();
    paths_.insert(copy);
    paths_.insert(source);
}

void PendingCopies::Add(SourceLook look) {
    NotePaths(look.path, look.source);
    looks_.push_back(std::move(look));
    if (IsDue()) Flush();
}

void PendingCopies::AddWaiting(WaitingCopy copy) {
    NotePaths(copy.path, copy.source);
    waiting_.push_back(std::move(copy));
    if (IsDue()) Flush();
}

bool PendingCopies::IsDue() const {
    return looks_.size() + waiting_.size() >= kBatchCopies || waiting_.size() >= kWaitingCopies ||
           clock_.Now() - batchStart_ >= kBatchSeconds;
}

bool PendingCopies::FlushIfPending(const std::string& path) {
    if (paths_.count(path) == 0) return false;
    Flush();
    return true;
}

void PendingCopies::FlushIfAnyNamed(const std::string& fileName) {
    const auto hasTheName = [&fileName](const auto& copy) {
        return AfterLastSeparator(copy.path) == fileName;
    };
    if (std::any_of(looks_.begin(), looks_.end(), hasTheName) ||
        std::any_of(waiting_.begin(), waiting_.end(), hasTheName)) {
        Flush();
    }
}

std::map<std::string, bool> PendingCopies::SyncFoldersOfBatch() const {
    // A sync writes out a whole file system, so folders on one file system share one sync:
    // thousands of copies in hundreds of folders of one drive cost one sync, not hundreds. A
    // folder whose file system cannot be told is synced on its own.
    std::map<std::string, bool> durableFolders;
    std::map<uint64_t, bool> durableFileSystems;
    std::vector<std::string> folders;
    for (const SourceLook& look : looks_) folders.push_back(ContainingFolder(look.path));
    for (const WaitingCopy& waiting : waiting_) folders.push_back(ContainingFolder(waiting.path));
    for (const std::string& folder : folders) {
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
    if (looks_.empty() && waiting_.empty()) return;
    // Every file system is synced before any copy takes its times: a folder may lie on another
    // file system than the rest (a mount inside the destination).
    std::map<std::string, bool> durable = SyncFoldersOfBatch();
    for (const SourceLook& look : looks_) {
        if (durable[ContainingFolder(look.path)]) {
            ApplySourceLook(look);
        } else {
            ++copiesNotDurable_;
        }
    }
    for (WaitingCopy& waiting : waiting_) {
        if (!PutWaitingCopyInPlace(waiting, durable[ContainingFolder(waiting.path)], syncAlone_)) {
            ++copiesNotDurable_;
        }
    }
    looks_.clear();
    waiting_.clear();
    paths_.clear();
}

}  // namespace tv
