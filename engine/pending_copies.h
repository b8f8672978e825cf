// New copies whose data may not be on disk yet. Such a copy is renamed into place carrying the
// marker time, which every source is newer than, so that a power loss that empties it (the
// name and times survive in the journal, the data not yet written) leaves a copy the next run
// replaces, never one the time-stamp rule trusts. The run keeps these copies in a batch; one
// sync of the file system makes the whole batch durable, and only then does each copy take its
// source's times (its attributes it has from the start). A sync per new file would cost more
// than the copy itself.
//
// Within a copy pass a copy waits under its temporary name instead, with its source's look
// already (see waiting_copy.h): an earlier copy keeps the name until the same sync has made the
// new one durable, and only then is the new one renamed into its place. A power loss before
// leaves the earlier copy whole, or no copy, and the new one as a leftover, which the next run
// removes.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/waiting_copy.h"
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

    // A batch is made durable once it holds this many copies, this many waiting copies (each
    // holds an open file), or is this many seconds old.
    static constexpr size_t kBatchCopies = 512;
    static constexpr size_t kWaitingCopies = 256;
    static constexpr std::time_t kBatchSeconds = 5;

    explicit PendingCopies(const Clock& clock);
    PendingCopies(const PendingCopies&) = delete;
    PendingCopies& operator=(const PendingCopies&) = delete;

    void SetFileSystemSync(FileSystemSync sync) { sync_ = std::move(sync); }
    // Makes one waiting copy durable where its file system could not be synced as a whole.
    void SetFileSync(std::function<bool(File&)> sync) { syncAlone_ = std::move(sync); }

    // Takes a copy that carries the marker; flushes when the batch is full or old enough.
    void Add(SourceLook look);
    // Whether finished copies may wait for the batch (see AddWaiting); only while a copy pass
    // says so, since whoever else copies may read or remove the copy right afterwards.
    bool CopiesMayWait() const { return copiesMayWait_; }
    void LetCopiesWait(bool may) { copiesMayWait_ = may; }
    // Takes a copy that waits for the batch's sync under its temporary name; flushes when the
    // batch is full or old enough, or holds as many open copies as a batch may.
    void AddWaiting(WaitingCopy copy);
    // Flushes when path is a pending copy, so that whoever reads its times next sees its own,
    // or the source of one, so that a copy is durable before what it was made from is replaced
    // (a generation that moves up is copied, then overwritten by the next younger one). True
    // when it flushed: times read before are stale.
    bool FlushIfPending(const std::string& path);
    // Flushes when a pending copy has this file name (a search of the tree by name follows).
    void FlushIfAnyNamed(const std::string& fileName);
    // Syncs the file systems of the batch (once each), then gives every copy its source's look
    // and puts every waiting copy in its place, synced alone where its file system could not
    // be synced. A copy that is not durable then keeps the marker (the next run copies it
    // again), or is removed where an earlier copy stays in its place; the caller counts it as
    // not backed up.
    void Flush();
    // How many copies this run could not make durable so far; a caller compares it before and
    // after its copies.
    size_t CopiesNotDurable() const { return copiesNotDurable_; }

  private:
    bool IsDue() const;
    void NotePaths(const std::string& copy, const std::string& source);
    // Syncs each file system of the batch once; whether each folder of the batch is durable.
    std::map<std::string, bool> SyncFoldersOfBatch() const;

    const Clock& clock_;
    FileSystemSync sync_;
    std::function<bool(File&)> syncAlone_;
    std::vector<SourceLook> looks_;
    std::vector<WaitingCopy> waiting_;
    std::unordered_set<std::string> paths_;  // the copies and their sources
    std::time_t batchStart_ = 0;
    size_t copiesNotDurable_ = 0;
    bool copiesMayWait_ = false;
};

}  // namespace tv
