#include "engine/durability/pending_batch.h"

#include <map>
#include <optional>

#include "platform/paths.h"
#include "platform/whole_sync.h"

namespace tv {
// A sync writes out a whole file system, so folders on one file system share one sync:
// thousands of copies in hundreds of folders of one drive cost one sync, not hundreds. A folder
// whose file system cannot be told is synced on its own.
std::map<std::string, bool> SyncFileSystemsOf(const std::vector<std::string>& folders,
                                              const FileSystemSync& sync,
                                              const FileSystemSync& syncFolder,
                                              std::map<uint64_t, bool>* wholeSynced) {
    std::map<std::string, bool> durableFolders;
    // What each file system's sync answered; nothing where no such sync reaches the disk.
    std::map<uint64_t, std::optional<bool>> durableFileSystems;
    for (const std::string& folder : folders) {
        if (durableFolders.count(folder) != 0) continue;
        uint64_t fileSystem = 0;
        if (!FileSystemOf(folder, &fileSystem)) {
            durableFolders[folder] = sync(folder);
            continue;
        }
        auto synced = durableFileSystems.find(fileSystem);
        if (synced == durableFileSystems.end()) {
            std::optional<bool> durable;
            if (WholeSyncReaches(folder)) durable = sync(folder);
            if (durable && wholeSynced != nullptr) (*wholeSynced)[fileSystem] = *durable;
            synced = durableFileSystems.emplace(fileSystem, durable).first;
        }
        durableFolders[folder] = synced->second ? *synced->second : syncFolder(folder);
    }
    return durableFolders;
}

namespace {

std::vector<std::string> FoldersOf(const PendingBatch& batch) {
    std::vector<std::string> folders;
    for (const SourceLook& look : batch.looks) folders.push_back(ContainingFolder(look.path));
    for (const WaitingCopy& waiting : batch.waiting) {
        folders.push_back(ContainingFolder(waiting.path));
    }
    return folders;
}

// Only a copy in place has a place to make durable.
std::string AwaitedSyncIn(const std::string& folder, bool inPlace) {
    return inPlace ? folder : std::string();
}

// A rename in a folder whose file system was not synced as a whole is made durable by a sync of
// the folder, right after the batch's renames; the place of a copy elsewhere awaits the next
// sync of its file system.
void SyncFoldersNotSyncedWhole(const std::map<std::string, bool>& syncedWhole,
                               const FileSystemSync& syncFolder, SettledCopies& settled) {
    std::map<std::string, bool> durableFolders;
    for (const auto& [folder, synced] : syncedWhole) {
        if (!synced) durableFolders[folder] = syncFolder(folder);
    }
    for (SettledCopy& copy : settled) {
        const auto folder = durableFolders.find(copy.awaitsSyncIn);
        if (folder == durableFolders.end()) continue;
        copy.durable = copy.durable && folder->second;
        copy.awaitsSyncIn.clear();
    }
}

}  // namespace

void ApplySourceLook(const SourceLook& look) {
    // What a link put in the copy's place since points at is left alone.
    SetEntryTimes(look.path, look.lastAccess, look.lastWrite);
}

SettledBatch MakeBatchDurable(PendingBatch& batch, const FileSystemSync& sync,
                              const FileSync& syncAlone, const FileSystemSync& syncFolder) {
    SettledBatch settled;
    if (batch.empty()) return settled;
    // Every file system is synced before any copy takes its times: a folder may lie on another
    // file system than the rest (a mount inside the destination).
    // Where no sync of the whole file system reaches the disk, each copy is synced alone.
    std::map<std::string, bool> durable = SyncFileSystemsOf(
        FoldersOf(batch), sync, [](const std::string&) { return false; },
        &settled.syncedFileSystems);
    SettledCopies& copies = settled.copies;
    copies.reserve(batch.size());
    for (SourceLook& look : batch.looks) {
        const std::string folder = ContainingFolder(look.path);
        const bool inPlace = durable[folder];
        if (inPlace) ApplySourceLook(look);
        copies.push_back({std::move(look.settled), inPlace, AwaitedSyncIn(folder, inPlace)});
    }
    for (WaitingCopy& waiting : batch.waiting) {
        const std::string folder = ContainingFolder(waiting.path);
        const bool inPlace = PutWaitingCopyInPlace(waiting, durable[folder], syncAlone);
        copies.push_back({std::move(waiting.settled), inPlace, AwaitedSyncIn(folder, inPlace)});
    }
    SyncFoldersNotSyncedWhole(durable, syncFolder, copies);
    batch = PendingBatch{};
    return settled;
}

}  // namespace tv
