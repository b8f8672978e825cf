#include "engine/copy/copy_lookahead.h"

#include <string>
#include <system_error>

#include "engine/copy/destination_layout.h"
#include "engine/listing/selection_rules.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tv {

namespace {

// Below this many files a second thread costs more than it saves.
constexpr size_t kLookaheadFiles = 512;
// Files handed over at a time: the look ahead is woken once per batch, not once per file.
constexpr size_t kHandedAtOnce = 64;

}  // namespace

// The destination folder of the file last looked at, held open, or known to be missing.
class FolderOfCopies {
  public:
    explicit FolderOfCopies(const std::string& root) : root_(root) {}

    const OpenFolder* Open(const std::string& folder) {
        if (folder != path_) {
            path_ = folder;
            opened_ = folder_.OpenBelow(root_, folder);
        }
        return opened_ ? &folder_ : nullptr;
    }

  private:
    const std::string& root_;
    OpenFolder folder_;
    std::string path_;
    bool opened_ = false;
};

CopyLookahead::CopyLookahead(const CopyJob& job, const DriveTable& drives,
                             const NameRefusals& refusals)
    : job_(job),
      drives_(drives),
      refusals_(refusals),
      looks_(!job.ExtFolder && !job.IsDated() && !job.FullBackup) {}

CopyLookahead::~CopyLookahead() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    handedOver_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void CopyLookahead::Listed(ListedFile& file) {
    if (!looks_) return;
    held_.push_back(&file);
    ++listed_;
    if (!thread_.joinable() && listed_ == kLookaheadFiles) Start();
    Hand(false);
}

void CopyLookahead::Start() {
    try {
        thread_ = std::thread([this] { LookAtHandedFiles(); });
    } catch (const std::system_error&) {
        // No thread to be had: the pass looks at every file itself.
        looks_ = false;
        held_.clear();
    }
}

void CopyLookahead::ListingEnded() {
    Hand(true);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        ended_ = true;
    }
    handedOver_.notify_one();
}

void CopyLookahead::Hand(bool always) {
    if (!thread_.joinable() || held_.empty() || (!always && held_.size() < kHandedAtOnce)) return;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        handed_.insert(handed_.end(), held_.begin(), held_.end());
    }
    held_.clear();
    handedOver_.notify_one();
}

bool CopyLookahead::SawCurrent(size_t index, const ListedFile& file) {
    if (index < lookedUpTo_.load(std::memory_order_acquire)) return file.copySeenCurrent;
    passAt_.store(index + 1, std::memory_order_relaxed);
    return false;
}

void CopyLookahead::Finish() {
    ListingEnded();
    if (thread_.joinable()) thread_.join();
}

bool CopyLookahead::TakeHanded(std::vector<ListedFile*>* files) {
    std::unique_lock<std::mutex> lock(mutex_);
    handedOver_.wait(lock, [this] { return stop_ || ended_ || !handed_.empty(); });
    if (stop_) return false;
    files->swap(handed_);
    handed_.clear();
    return !files->empty();
}

bool CopyLookahead::IsCopyCurrent(const ListedFile& file, FolderOfCopies& folder) const {
    const std::string destination = StoredPlainDestination(job_, drives_, refusals_, file.path);
    const OpenFolder* copies = folder.Open(ContainingFolder(destination));
    FileStatus copy;
    return copies != nullptr && copies->EntryStatus(AfterLastSeparator(destination), &copy) &&
           !NeedsCopy(job_, file.path, file.Status(), &copy);
}

void CopyLookahead::LookAtHandedFiles() {
    // The attribute readers ask this thread's scope whether a volume is FAT.
    const VolumeKindScope volumeKinds;
    FolderOfCopies folder(job_.Destination);
    std::vector<ListedFile*> files;
    size_t index = 0;
    try {
        while (TakeHanded(&files)) {
            for (ListedFile* file : files) {
                // What the pass has passed, it has looked at itself.
                if (index >= passAt_.load(std::memory_order_relaxed)) {
                    file->copySeenCurrent = IsCopyCurrent(*file, folder);
                }
                lookedUpTo_.store(++index, std::memory_order_release);
            }
        }
    } catch (...) {
        // Out of memory: the pass looks at the files the look ahead did not decide.
    }
}

}  // namespace tv
