#include "engine/copy/link_copy.h"

#include "engine/copy/folder_creation.h"
#include "engine/durability/leftover_copies.h"
#include "engine/job/run_context.h"
#include "engine/job/step_log.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/name_mapping.h"
#include "platform/paths.h"

namespace tv {

namespace {

bool HoldsSameLink(const std::string& destination, const std::string& target) {
    FileIdentity entry;
    std::string held;
    return GetEntryIdentity(destination, &entry) && entry.IsLink() &&
           ReadLinkTarget(destination, &held) && held == target;
}

bool IsFolder(const std::string& path) {
    FileIdentity entry;
    return GetEntryIdentity(path, &entry) && entry.IsFolder();
}

// A file system without links (FAT, many shares) refuses with one of these.
bool RefusesLinks(FileError error) {
    return error == FileError::NotPermitted || error == FileError::Unsupported;
}

class LinkCopy {
  public:
    LinkCopy(const CopyJob& job, RunContext& context, const std::string& source,
             const std::string& destination)
        : job_(job), context_(context), source_(source), destination_(destination) {}

    FileResult Run() {
        if (!context_.IsActive()) return FileResult::Cancelled;
        std::string target;
        FileIdentity link;
        if (!ReadLinkTarget(source_, &target) || !GetEntryIdentity(source_, &link)) {
            return Logged(FileResult::OpenError);
        }
        if (HoldsSameLink(destination_, target)) return FileResult::SkippedNotNewer;
        if (!CanHoldPathBelow(job_.Destination, destination_, context_.nameRefusals())) {
            ++context_.outcome().Unstorable.refusedNames;
            return Logged(FileResult::OpenError);
        }
        const std::string folder = ContainingFolder(destination_);
        if (IsFolder(destination_) || HasLinkBelow(job_.Destination, folder) ||
            !CreateDestinationFolder(job_, context_, folder, ContainingFolder(source_),
                                     FolderLevels::MirrorSource)) {
            return Logged(FileResult::OpenError);
        }
        // Made under a temporary name and renamed over the old copy, which stays until then.
        const std::string temporary = TemporaryCopyPathBeside(destination_);
        if (!CreateSymbolicLink(target, temporary, link.lastAccess, link.lastWrite)) {
            return Logged(RefusesLinks(LastFileError()) ? FileResult::SkippedByRule
                                                        : FileResult::OpenError);
        }
        if (!MoveFile(temporary, destination_)) {
            DeleteFile(temporary);
            return Logged(FileResult::OpenError);
        }
        return Logged(FileResult::Copied);
    }

  private:
    FileResult Logged(FileResult result) {
        if (result == FileResult::OpenError) {
            context_.NoteError();
            context_.CountOpenError();
        }
        LogStep(context_, kLogActionFileCreated, source_,
                ShownDestination(job_, context_, destination_), LogWordOf(result));
        context_.PauseAfterFile();
        return result;
    }

    const CopyJob& job_;
    RunContext& context_;
    const std::string& source_;
    const std::string& destination_;
};

}  // namespace

FileResult CopyLinkAndLog(const CopyJob& job, RunContext& context, const std::string& source,
                          const std::string& destination) {
    return LinkCopy(job, context, source, destination).Run();
}

}  // namespace tv
