#include "engine/relocation/relocation.h"

#include <optional>
#include <vector>

#include "engine/copy/buffered_file_copy.h"
#include "engine/durability/pending_copies.h"
#include "engine/job/progress_sink.h"
#include "engine/job/run_context.h"
#include "engine/job/step_log.h"
#include "engine/listing/selection_rules.h"
#include "log/flat_log.h"
#include "log/log_store.h"
#include "platform/file_system.h"
#include "platform/locations.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/trash.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

// The message boxes of the run are plain notices: no caption of their own, one OK button.
constexpr const char* kBoxCaption = "";
constexpr unsigned kBoxFlags = kMbOk;

CopyJob JobOf(const RelocationRequest& request) {
    CopyJob job;
    job.Kind = Removable;
    job.Source = request.OldFolder;
    job.Destination = request.NewFolder;
    job.BufferSize = BufferSizeForSetting(request.RemChacheSize);
    job.LoadControl = request.RemLoadControl;
    job.IdleCheck = request.IdleCheck;
    job.ExcludedFolders = request.ExcludedFolders;
    job.ExceptSubFolder = request.ExceptSubFolder;
    return job;
}

std::vector<FileStatus> EntriesOf(const std::string& folder) {
    std::vector<FileStatus> entries;
    DirectoryEnumerator enumerator;
    if (!enumerator.Open(folder)) return entries;
    FileStatus entry;
    while (enumerator.Next(&entry)) entries.push_back(entry);
    return entries;
}

class Relocation {
  public:
    Relocation(const RelocationRequest& request, RunContext& context, Prompts& prompts,
               ProgressSink* window, const std::string& programDir)
        : request_(request),
          context_(context),
          prompts_(prompts),
          window_(window),
          programDir_(programDir),
          job_(JobOf(request)) {
        context_.SetTargets(RunTargets{window, &prompts});
    }

    RelocationEnd Run() {
        if (request_.OldFolder.empty() || request_.NewFolder.empty()) {
            return RelocationEnd::Finished;
        }
        if (IsSameOrBelow(request_.NewFolder, request_.OldFolder)) return RelocationEnd::Finished;
        if (!IsDirectory(request_.NewFolder) && !EnsureFolder(request_.NewFolder)) {
            LogNewFolderFailure();
            return RelocationEnd::Finished;
        }
        context_.EnterPhase(Phase::Counting);
        ShowLines(std::string(kLineCounting), std::string(kLinePleaseWait));
        uint64_t files = 0;
        if (!CountFiles(request_.OldFolder, &files)) return RelocationEnd::Stopped;
        if (window_) window_->SetTotal(files);

        context_.EnterPhase(Phase::Copying);
        const bool copiedAll = CopyTree();
        if (destinationFull_) return RelocationEnd::DestinationFull;
        if (!copiedAll) return RelocationEnd::Stopped;
        // The old files go only once every copy is known to be on disk: a copy whose file
        // system could not be synced may be lost to a power loss, and nothing copies it again.
        if (request_.Move && failures_ == 0 && everyCopyDurable_ &&
            !TrashContents(request_.OldFolder)) {
            return RelocationEnd::Stopped;
        }
        return RelocationEnd::Finished;
    }

  private:
    void ShowLines(const std::optional<std::string>& first,
                   const std::optional<std::string>& second) {
        if (window_) window_->SetLines(first, second);
    }

    void LogNewFolderFailure() {
        LogRecord record = request_.LogRecord ? *request_.LogRecord : LogRecord{};
        FillStep(&record, context_.clock(), kLogActionFolderCreated, request_.OldFolder,
                 WithoutTrailingSeparators(request_.NewFolder));
        record.result = kLogResultError;
        AppendFlatLog(programDir_, record);
    }

    // False as soon as the worker is stopped; waits for an idle machine first.
    bool MayGoOn() {
        if (!context_.IsActive()) return false;
        context_.WaitForIdle(job_);
        return context_.IsActive();
    }

    // Every entry of folder, depth-first; excluded subfolders are not handed out. Each
    // callback answers whether the walk goes on.
    template <typename OnFolder, typename OnFile>
    bool ForEachEntry(const std::string& folder, OnFolder onFolder, OnFile onFile) {
        DirectoryEnumerator entries;
        if (!entries.Open(folder)) return true;
        FileStatus entry;
        while (entries.Next(&entry)) {
            if (!MayGoOn()) return false;
            const std::string path = JoinPath(folder, entry.name);
            if (entry.IsDirectory()) {
                if (!IsExcludedFolder(job_, path) && !onFolder(path)) return false;
            } else if (!onFile(path)) {
                return false;
            }
            context_.Yield();
        }
        return true;
    }

    bool CountFiles(const std::string& folder, uint64_t* files) {
        return ForEachEntry(
            folder, [&](const std::string& subfolder) { return CountFiles(subfolder, files); },
            [&](const std::string&) {
                ++*files;
                return true;
            });
    }

    bool CopyTree() {
        const CopyBufferLease buffer(context_, job_.BufferSize);
        // The files take their times after the folder times are set; that changes no folder's
        // time, and the run returns only once every copy has its own, durably, so that the old
        // files go only once the new ones are on disk as they are.
        const size_t markedBefore = context_.pendingCopies().CopiesNotDurable();
        const bool copiedAll = CopyFolder(request_.OldFolder, request_.NewFolder);
        const bool renamesDurable = context_.pendingCopies().MakeRenamesDurable();
        everyCopyDurable_ =
            renamesDurable && context_.pendingCopies().CopiesNotDurable() == markedBefore;
        return copiedAll;
    }

    bool CopyFolder(const std::string& from, const std::string& to) {
        // Only the old folder itself can be an excluded folder here: excluded subfolders are
        // never entered.
        const bool passesFilesOver = IsExcludedFolder(job_, from);
        return ForEachEntry(
            from,
            [&](const std::string& subfolder) {
                return CopySubfolder(subfolder, JoinPath(to, AfterLastSeparator(subfolder)));
            },
            [&](const std::string& file) {
                if (passesFilesOver) return PassOver(file);
                return CopyOne(file, JoinPath(to, AfterLastSeparator(file)));
            });
    }

    bool CopySubfolder(const std::string& from, const std::string& to) {
        if (!IsDirectory(to) && !CreateFolder(to)) {
            ReportOpenError();
            return true;
        }
        if (!CopyFolder(from, to)) return false;
        // Set once the folder is complete: the files written into it would change its time.
        FileStatus status;
        if (GetFileStatus(from, &status)) SetFileTimes(to, status.lastWrite, status.lastWrite);
        return true;
    }

    bool PassOver(const std::string& file) {
        ShowLines(file, std::string(kMessageNoTransferFolder));
        context_.SetCurrentFile(kMessageNoTransferFolder);
        if (window_) window_->Step();
        return true;
    }

    bool CopyOne(const std::string& from, const std::string& to) {
        ShowLines(from, to);
        context_.SetCurrentFile(to);
        if (window_) window_->Step();
        switch (CopyFileContents(job_, context_, from, to, false)) {
            case FileResult::Copied:
                if (context_.IsActive()) return true;
                // The stop came while the file was being finished: it does not stay.
                SetFileAttributes(to, kAttrNormal);
                DeleteFile(to);
                return false;
            case FileResult::OpenError:
                ReportOpenError();
                return true;
            case FileResult::DiskFull:
                destinationFull_ = true;
                prompts_.MessageBox(kBoxDestinationFull, kBoxCaption, kBoxFlags);
                return false;
            default:
                return false;
        }
    }

    void ReportOpenError() {
        ++failures_;
        prompts_.MessageBox(kBoxOpenError, kBoxCaption, kBoxFlags);
    }

    // Files go to the trash; a subfolder is emptied the same way, then removed. What the copy
    // passed over (an excluded subfolder, the files of an excluded old folder) has no copy in
    // the new folder, so it stays where it is.
    bool TrashContents(const std::string& folder) {
        const bool keepsFiles = IsExcludedFolder(job_, folder);
        for (const FileStatus& entry : EntriesOf(folder)) {
            if (!context_.IsActive()) return false;
            const std::string path = JoinPath(folder, entry.name);
            if (entry.IsDirectory() ? IsExcludedFolder(job_, path) : keepsFiles) continue;
            ShowLines(std::string(), std::string());
            if (!entry.IsDirectory()) {
                MoveToTrash(path);
            } else if (TrashContents(path)) {
                RemoveFolder(path);
            } else {
                return false;
            }
        }
        return true;
    }

    const RelocationRequest& request_;
    RunContext& context_;
    Prompts& prompts_;
    ProgressSink* window_;
    const std::string& programDir_;
    CopyJob job_;
    int failures_ = 0;
    bool destinationFull_ = false;
    bool everyCopyDurable_ = true;
};

}  // namespace

RelocationEnd Relocate(const RelocationRequest& request, RunContext& context, Prompts& prompts,
                       ProgressSink* window, const std::string& programDir) {
    return Relocation(request, context, prompts, window, programDir).Run();
}

}  // namespace tv
