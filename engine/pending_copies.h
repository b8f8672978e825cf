// New copies whose data may not be on disk yet. Such a copy is renamed into place carrying the
// marker time, which every source is newer than, so that a power loss that empties it (the
// name and times survive in the journal, the data not yet written) leaves a copy the next run
// replaces, never one the time-stamp rule trusts. The run keeps these copies in a batch; one
// sync of the file system makes the whole batch durable, and only then does each copy take its
// source's times (its attributes it has from the start). A sync per new file would cost more
// than the copy itself.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/file_system.h"

namespace tv {

class Clock;

// Last write and last access of a copy whose data is not yet known to be durable.
inline constexpr FileTime kMarkerTime{0, 0};

// What a finished copy takes from its source once it is durable.
struct SourceLook {
    std::string path;    // the copy
    std::string source;  // what it was copied from
    FileTime lastAccess;
    FileTime lastWrite;
};

void ApplySourceLook(const SourceLook& look);

class PendingCopies {
  public:
    // Makes the file system holding a folder durable; true when it is.
    using FileSystemSync = std::function<bool(const std::string& folder)>;

    // A batch is made durable once it holds this many copies, or is this many seconds old.
    static constexpr size_t kBatchCopies = 512;
    static constexpr std::time_t kBatchSeconds = 5;

    explicit PendingCopies(const Clock& clock);
    PendingCopies(const PendingCopies&) = delete;
    PendingCopies& operator=(const PendingCopies&) = delete;

    void SetFileSystemSync(FileSystemSync sync) { sync_ = std::move(sync); }

    // Takes a copy that carries the marker; flushes when the batch is full or old enough.
    void Add(SourceLook look);
    // Flushes when path is a pending copy, so that whoever reads its times next sees its own,
    // or the source of one, so that a copy is durable before what it was made from is replaced
    // (a generation that moves up is copied, then overwritten by the next younger one). True
    // when it flushed: times read before are stale.
    bool FlushIfPending(const std::string& path);
    // Flushes when a pending copy has this file name (a search of the tree by name follows).
    void FlushIfAnyNamed(const std::string& fileName);
    // Syncs the file systems of the batch (once each), then gives every copy its source's look. A
    // copy whose file system could not be synced keeps the marker (the next run copies it again)
    // and the caller counts it as not backed up.
    void Flush();
    // How many copies have kept the marker so far because their file system could not be
    // synced; a caller compares it before and after its copies.
    size_t CopiesLeftMarked() const { return copiesLeftMarked_; }

  private:
    bool IsDue() const;
    // Syncs each file system of the batch once; whether each folder of the batch is durable.
    std::map<std::string, bool> SyncFoldersOfBatch() const;

    const Clock& clock_;
    FileSystemSync sync_;
    std::vector<SourceLook> looks_;
    std::unordered_set<std::string> paths_;  // the copies and their sources
    std::time_t batchStart_ = 0;
    size_t copiesLeftMarked_ = 0;
};

}  // namespace tv
