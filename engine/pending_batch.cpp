#include "engine/pending_batch.h"

#include <map>

#include "platform/paths.h"

namespace tv {
// A sync writes out a whole file system, so folders on one file system share one sync:
// thousands of copies in hundreds of folders of one drive cost one sync, not hundreds. A folder
// whose file system cannot be told is synced on its own.
std::map<std::string, bool> SyncFileSystemsOf(const std::vector<std::string>& folders,
                                              const FileSystemSync& sync) {
    std::map<std::string, bool> durableFolders;
    std::map<uint64_t, bool> durableFileSystems;
    for (const std::string& folder : folders) {
        if (durableFolders.count(folder) != 0) continue;
        uint64_t fileSystem = 0;
        if (!FileSystemOf(folder, &fileSystem)) {
            durableFolders[folder] = sync(folder);
            continue;
        }
        auto synced = durableFileSystems.find(fileSystem);
        if (synced == durableFileSystems.end()) {
            synced = durableFileSystems.emplace(fileSystem, sync(folder)).first;
        }
        durableFolders[folder] = synced->second;
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
    std::map<std::string, bool> durable = SyncFileSystemsOf(FoldersOf(batch), sync);
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
