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
//
// Within a copy pass a batch is made durable on a thread of its own once it holds enough
// copies, while the pass goes on (see batch_in_flight.h); one batch at a time is in flight,
// and whoever must see a copy of it in its place waits for it.
//
// A rename is on disk only once a sync follows it, and each batch's copies take their places
// after its sync: a copy is told (its log line) only after the next batch's sync of its file
// system, or else the one the run makes, once more each file system it renamed or moved
// anything on, before it reports. So no more than one batch waits to be told, and no batch
// costs a sync of its own.
//
// A file system that no sync of the whole reaches (see whole_sync.h) has each copy synced
// alone before its rename, each folder a batch renamed a copy in synced right after (its
// copies are told then), and each folder an entry was moved in synced before the run reports.
#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/durability/batch_in_flight.h"
#include "engine/durability/pending_batch.h"
#include "engine/durability/waiting_copy.h"
#include "platform/file_system.h"

namespace tv {

class Clock;

class PendingCopies {
  public:
    // A batch is made durable once it holds this many copies, this many waiting copies (each
    // holds an open file, the batch in flight's counted in), or is this many seconds old.
    static constexpr size_t kBatchCopies = 512;
    static constexpr size_t kWaitingCopies = 256;
    static constexpr std::time_t kBatchSeconds = 5;
    // Within a copy pass a batch goes in flight earlier, once it holds this many copies or
    // bytes and the batch before is durable: the pass need not wait for either.
    static constexpr size_t kInFlightCopies = 64;
    static constexpr uint64_t kInFlightBytes = 64ull << 20;

    explicit PendingCopies(const Clock& clock);
    PendingCopies(const PendingCopies&) = delete;
    PendingCopies& operator=(const PendingCopies&) = delete;

    void SetFileSystemSync(FileSystemSync sync) { sync_ = std::move(sync); }
    // Makes one waiting copy durable where its file system could not be synced as a whole.
    void SetFileSync(FileSync sync) { syncAlone_ = std::move(sync); }
    // Makes the renames in one folder durable where no sync of its whole file system reaches
    // the disk.
    void SetFolderSync(FileSystemSync sync) { syncFolder_ = std::move(sync); }

    // Takes a copy that carries the marker; flushes when the batch is full or old enough.
    void Add(SourceLook look);
    // Whether finished copies may wait for the batch (see AddWaiting); only while a copy pass
    // says so, since whoever else copies may read or remove the copy right afterwards.
    bool CopiesMayWait() const { return copiesMayWait_; }
    void LetCopiesWait(bool may) { copiesMayWait_ = may; }
    // Takes a copy that waits for the batch's sync under its temporary name; the batch goes in
    // flight when it is large enough, or is flushed when it is full or old enough.
    void AddWaiting(WaitingCopy copy, uint64_t bytes);
    // Flushes when path is a pending copy, so that whoever reads its times next sees its own,
    // or the source of one, so that a copy is durable before what it was made from is replaced
    // (a generation that moves up is copied, then overwritten by the next younger one). True
    // when it flushed: times read before are stale.
    bool FlushIfPending(const std::string& path);
    // Flushes when a pending copy has this file name (a search of the tree by name follows).
    void FlushIfAnyNamed(const std::string& fileName);
    // Waits for the batch in flight, then makes the rest durable (see MakeBatchDurable); the
    // caller counts a copy that is not as not backed up.
    void Flush();
    // How many copies this run could not make durable so far; a caller compares it before and
    // after its copies, and makes its renames durable before it does (the last copies are told
    // only then).
    size_t CopiesNotDurable() const { return copiesNotDurable_; }
    // Notes a folder whose file system an entry was renamed or moved on outside the batches.
    void NoteRenameIn(const std::string& folder) { renamedIn_.insert(folder); }
    // Flushes, then syncs once each file system that a copy was put in place on or an entry
    // renamed on since the last call, or each folder of those where no sync of the whole file
    // system reaches the disk; no sync where there was none. Tells the copies that waited for
    // it. False when a sync failed.
    bool MakeRenamesDurable();

  private:
    // The copies of a batch and their sources, to tell whom a batch concerns.
    struct BatchPaths {
        std::unordered_set<std::string> paths;  // the copies and their sources
        std::vector<std::string> copies;
        bool Has(const std::string& path) const { return paths.count(path) != 0; }
        bool HasCopyNamed(const std::string& fileName) const;
    };

    void NotePaths(const std::string& copy, const std::string& source);
    // Tells the copies an earlier batch put in place on the file systems this one synced, then
    // those of this batch that need no later sync; holds the rest.
    void Settle(SettledBatch settled);
    // Whether the folder of each held copy is durable after a batch's sync of the file systems
    // given; a folder it did not reach is synced now.
    std::map<std::string, bool> HeldFoldersAfter(const std::map<uint64_t, bool>& synced);
    // Tells each held copy, durable where its folder is (otherwise where it is not among them).
    void TellHeld(const std::map<std::string, bool>& durableFolders, bool otherwise);
    // Counts a copy that is not durable and tells whom the copy concerns.
    void Tell(SettledCopy& copy, bool durable);
    void AfterAdding();
    bool IsDue() const;
    bool IsWorthSendingOff();
    // Sends the batch in flight, or flushes it here where no thread can take it.
    void SendOff();
    void WaitForBatchInFlight();

    const Clock& clock_;
    FileSystemSync sync_;
    FileSync syncAlone_;
    FileSystemSync syncFolder_;
    PendingBatch batch_;
    BatchPaths paths_;
    BatchInFlight inFlight_;
    BatchPaths inFlightPaths_;
    size_t inFlightWaiting_ = 0;
    std::time_t batchStart_ = 0;
    size_t copiesNotDurable_ = 0;
    // Copies in place, each awaiting a sync of its folder's file system to be told.
    SettledCopies held_;
    std::set<std::string> renamedIn_;  // folders of other renames no sync has followed yet
    bool copiesMayWait_ = false;
};

}  // namespace tv
