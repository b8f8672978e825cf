#include "engine/pending_batch.h"

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
                                              const FileSystemSync& syncFolder) {
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

}  // namespace

void ApplySourceLook(const SourceLook& look) {
    // What a link put in the copy's place since points at is left alone.
    SetEntryTimes(look.path, look.lastAccess, look.lastWrite);
}

SettledCopies MakeBatchDurable(PendingBatch& batch, const FileSystemSync& sync,
                               const FileSync& syncAlone) {
    if (batch.empty()) return {};
    // Every file system is synced before any copy takes its times: a folder may lie on another
    // file system than the rest (a mount inside the destination).
    // Where no sync of the whole file system reaches the disk, each copy is synced alone.
    std::map<std::string, bool> durable =
        SyncFileSystemsOf(FoldersOf(batch), sync, [](const std::string&) { return false; });
    SettledCopies settled;
    settled.reserve(batch.size());
    for (SourceLook& look : batch.looks) {
        const bool inPlace = durable[ContainingFolder(look.path)];
        if (inPlace) ApplySourceLook(look);
        settled.push_back({std::move(look.settled), inPlace});
    }
    for (WaitingCopy& waiting : batch.waiting) {
        const bool inPlace =
            PutWaitingCopyInPlace(waiting, durable[ContainingFolder(waiting.path)], syncAlone);
        settled.push_back({std::move(waiting.settled), inPlace});
    }
    batch = PendingBatch{};
    return settled;
}

}  // namespace tv
