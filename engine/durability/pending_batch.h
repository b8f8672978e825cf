// A batch of finished copies whose data may not be on disk yet (see pending_copies.h), and
// what making it durable does: one sync of each file system the batch lies on, then every
// copy takes its source's look or its place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/durability/settled_copy.h"
#include "engine/durability/waiting_copy.h"
#include "platform/file_system.h"

namespace tv {

// Last write and last access of a copy whose data is not yet known to be durable.
inline constexpr FileTime kMarkerTime{0, 0};

// What a finished copy takes from its source once it is durable.
struct SourceLook {
    std::string path;    // the copy
    std::string source;  // what it was copied from
    FileTime lastAccess;
    FileTime lastWrite;
    CopySettled settled;
};

void ApplySourceLook(const SourceLook& look);

// Makes the file system holding a folder durable; true when it is.
using FileSystemSync = std::function<bool(const std::string& folder)>;
// Makes one waiting copy durable where its file system could not be synced as a whole.
using FileSync = std::function<bool(File&)>;

// Syncs the file system of each folder, once each; a folder whose file system cannot be told is
// synced on its own. A folder on a file system that no such sync reaches (see whole_sync.h) is
// synced by syncFolder instead. Whether each folder is durable; each file system synced as a
// whole, with its answer, goes to wholeSynced when given.
std::map<std::string, bool> SyncFileSystemsOf(const std::vector<std::string>& folders,
                                              const FileSystemSync& sync,
                                              const FileSystemSync& syncFolder,
                                              std::map<uint64_t, bool>* wholeSynced = nullptr);

struct PendingBatch {
    std::vector<SourceLook> looks;  // copies in place behind the marker
    std::vector<WaitingCopy> waiting;
    uint64_t bytes = 0;  // of the waiting copies: what their sync writes out

    size_t size() const { return looks.size() + waiting.size(); }
    bool empty() const { return size() == 0; }
};

// What became of the copies of a batch made durable.
struct SettledBatch {
    SettledCopies copies;
    // The file systems its sync reached as a whole, and whether each is durable: a copy put in
    // place on one by an earlier batch is durable in its place now.
    std::map<uint64_t, bool> syncedFileSystems;
};

// Syncs the file systems of the batch (once each), then gives every copy its source's look and
// puts every waiting copy in its place, synced alone where its file system could not be
// synced or no sync of it reaches the disk; each folder of those is synced by syncFolder after
// its renames. A copy that is not durable then keeps the marker (the next run copies it again),
// or is removed where an earlier copy stays in its place. Empties the batch; what became of each
// of its copies, to be told on the run's thread (a copy that is not durable the run did not back
// up), the place of one whose file system was synced as a whole still awaiting a later sync.
SettledBatch MakeBatchDurable(PendingBatch& batch, const FileSystemSync& sync,
                              const FileSync& syncAlone, const FileSystemSync& syncFolder);

}  // namespace tv
