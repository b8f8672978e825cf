// Looks ahead, on a second thread, at the copies of the files the listing has found, and
// marks those whose copy needs nothing: the copy pass then passes over them without a look of
// its own. The destination is read while the source is still being listed, on the second
// core. Only "needs nothing" is taken from the look ahead; every other file is looked at again
// by the pass just before it is copied, so nothing is written on an earlier reading.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/job/copy_job.h"
#include "engine/listing/listed_file.h"

namespace tv {

class DriveTable;
struct NameRefusals;

class CopyLookahead {
  public:
    // Looks ahead only where a copy's place is its source's path below the destination and
    // the copy is not compared byte for byte: a plain tree, not a full backup.
    // refusals: what the destination refuses in names, known before the first file is listed.
    CopyLookahead(const CopyJob& job, const DriveTable& drives, const NameRefusals& refusals);
    ~CopyLookahead();  // stops the look ahead and waits for it
    CopyLookahead(const CopyLookahead&) = delete;
    CopyLookahead& operator=(const CopyLookahead&) = delete;

    // The listing hands over each file it has listed, in its order; the file stays where it
    // is until the look ahead has ended. The look ahead starts once there are enough files
    // for a second thread to pay.
    void Listed(ListedFile& file);
    // The listing has ended: the look ahead takes the files it still holds back.
    void ListingEnded();

    // True when the copy of the listed file at index was seen needing nothing. The pass
    // asks with rising indices; where it is ahead of the look ahead, it looks for itself and
    // the look ahead skips what the pass has passed.
    bool SawCurrent(size_t index, const ListedFile& file);
    // Waits until the look ahead has decided every file handed over.
    void Finish();

  private:
    void Start();
    void Hand(bool always);
    void LookAtHandedFiles();
    bool TakeHanded(std::vector<ListedFile*>* files);
    bool IsCopyCurrent(const ListedFile& file, class FolderOfCopies& folder) const;

    const CopyJob& job_;
    const DriveTable& drives_;
    const NameRefusals& refusals_;
    bool looks_;
    std::vector<ListedFile*> held_;  // listed, not yet handed over (the listing's thread)
    size_t listed_ = 0;

    std::mutex mutex_;
    std::condition_variable handedOver_;
    std::vector<ListedFile*> handed_;  // handed over, not yet taken by the look ahead
    bool ended_ = false;
    bool stop_ = false;

    std::atomic<size_t> passAt_{0};      // the pass looks for itself below this index
    std::atomic<size_t> lookedUpTo_{0};  // every index below it is decided
    std::thread thread_;
};

}  // namespace tv
