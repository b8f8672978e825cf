#include "engine/copy_lookahead.h"

#include <string>

#include "engine/destination_layout.h"
#include "engine/selection_rules.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tv {

namespace {

// Below this many files a second thread costs more than it saves.
constexpr size_t kLookaheadFiles = 512;

bool LooksAhead(const CopyJob& job, size_t files) {
    return files >= kLookaheadFiles && !job.ExtFolder && !job.IsDated() && !job.FullBackup;
}

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

}  // namespace

CopyLookahead::CopyLookahead(const CopyJob& job, const DriveTable& drives,
                             const std::deque<ListedFile>& files)
    : job_(job), drives_(drives), files_(files), lookedFrom_(files.size()) {
    if (!LooksAhead(job, files.size())) return;
    current_.assign(files.size(), 0);
    thread_ = std::thread([this] { LookBackwards(); });
}

CopyLookahead::~CopyLookahead() {
    stop_.store(true, std::memory_order_relaxed);
    Finish();
}

void CopyLookahead::Finish() {
    if (thread_.joinable()) thread_.join();
}

bool CopyLookahead::SawCurrent(size_t index) {
    if (current_.empty()) return false;
    if (index >= lookedFrom_.load(std::memory_order_acquire)) return current_[index] != 0;
    passAt_.store(index + 1, std::memory_order_relaxed);
    return false;
}

void CopyLookahead::LookBackwards() {
    // The attribute readers ask this thread's scope whether a volume is FAT.
    const VolumeKindScope volumeKinds;
    FolderOfCopies folder(job_.Destination);
    try {
        for (size_t index = files_.size(); index-- > 0;) {
            // Where the pass has come to, it looks for itself; a file both look at is harmless.
            if (stop_.load(std::memory_order_relaxed) ||
                index < passAt_.load(std::memory_order_relaxed)) {
                return;
            }
            const ListedFile& listed = files_[index];
            const std::string destination = PlainDestination(job_, drives_, listed.path);
            const OpenFolder* copies = folder.Open(ContainingFolder(destination));
            FileStatus copy;
            const bool current = copies != nullptr &&
                                 copies->EntryStatus(AfterLastSeparator(destination), &copy) &&
                                 !NeedsCopy(job_, listed.path, listed.Status(), &copy);
            current_[index] = current ? 1 : 0;
            lookedFrom_.store(index, std::memory_order_release);
        }
    } catch (...) {
        // Out of memory: the pass looks at the files the look ahead did not decide.
    }
}

}  // namespace tv
