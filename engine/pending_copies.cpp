#include "engine/pending_copies.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>

#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace tv {

void ApplySourceLook(const SourceLook& look) {
    // What a link put in the copy's place since points at is left alone.
    SetEntryTimes(look.path, look.lastAccess, look.lastWrite);
}

PendingCopies::PendingCopies(const Clock& clock) : clock_(clock), sync_(SyncFileSystemOf) {}

void PendingCopies::NotePaths(const std::string& copy, const std::string& source) {
    if (looks_.empty() && replacements_.empty()) batchStart_ = clock_.Now();
    paths_.insert(copy);
    paths_.insert(source);
}

void PendingCopies::Add(SourceLook look) {
    NotePaths(look.path, look.source);
    looks_.push_back(std::move(look));
    if (IsDue()) Flush();
}

void PendingCopies::AddReplacement(WaitingReplacement replacement) {
    NotePaths(replacement.path, replacement.source);
    replacements_.push_back(std::move(replacement));
    if (IsDue()) Flush();
}

bool PendingCopies::IsDue() const {
    return looks_.size() + replacements_.size() >= kBatchCopies ||
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
        std::any_of(replacements_.begin(), replacements_.end(), hasTheName)) {
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
    for (const WaitingReplacement& waiting : replacements_) {
        folders.push_back(ContainingFolder(waiting.path));
    }
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

namespace {

// Where the file system cannot be synced as a whole (some network shares), a replacing copy
// is made durable on its own, as every replacing copy once was.
bool IsSyncedAlone(const std::string& path) {
    File copy;
    return copy.OpenForRead(path, false, false) && copy.Flush();
}

}  // namespace

bool PendingCopies::PutInPlace(const WaitingReplacement& replacement) {
    // An earlier read-only copy is made writable first, as Windows wants it before it can be
    // replaced.
    FileIdentity earlier;
    if (GetEntryIdentity(replacement.path, &earlier) && earlier.IsRegularFile() &&
        (earlier.mode & S_IWUSR) == 0) {
        SetFileAttributes(replacement.path, kAttrNormal);
    }
    if (MoveFile(replacement.temporary, replacement.path)) return true;
    SetFileAttributes(replacement.temporary, kAttrNormal);
    DeleteFile(replacement.temporary);
    return false;
}

void PendingCopies::Flush() {
    if (looks_.empty() && replacements_.empty()) return;
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
    for (const WaitingReplacement& waiting : replacements_) {
        const bool madeDurable =
            durable[ContainingFolder(waiting.path)] || IsSyncedAlone(waiting.temporary);
        if (!madeDurable) {
            SetFileAttributes(waiting.temporary, kAttrNormal);
            DeleteFile(waiting.temporary);
        }
        if (!madeDurable || !PutInPlace(waiting)) ++copiesNotDurable_;
    }
    looks_.clear();
    replacements_.clear();
    paths_.clear();
}

}  // namespace tv
