#include "engine/copy/buffered_file_copy.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "engine/copy/checked_open.h"
#include "engine/durability/leftover_copies.h"
#include "engine/durability/pending_copies.h"
#include "engine/durability/waiting_copy.h"
#include "engine/job/load_pacer.h"
#include "engine/job/progress_sink.h"
#include "engine/job/run_context.h"
#include "platform/drive_table.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/whole_sync.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr int32_t kMaxBufferSize = kBaseBufferSize << 7;
constexpr uint32_t kCopiedAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;

size_t UsableBufferSize(int32_t requested) {
    if (requested <= 0) return kBaseBufferSize;
    return static_cast<size_t>(requested > kMaxBufferSize ? kMaxBufferSize : requested);
}

// Removes the unfinished temporary file when the copy does not complete.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (kept_) {
            file.Close();
        } else {
            DiscardTemporaryCopy(file, path_);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    void Keep() { kept_ = true; }
    File file;

  private:
    std::string path_;
    bool kept_ = false;
};

// TooLarge: the copy would grow past the largest file its file system (or the process) allows.
enum class LoopEnd { Complete, Stopped, ReadFailed, WriteFailed, TooLarge };

LoopEnd WriteFailure(const File& target) {
    return target.WentPastSizeLimit() ? LoopEnd::TooLarge : LoopEnd::WriteFailed;
}

// The copy's size once the source's data is all copied: a hole at the end of the source is a
// hole at the end of the copy.
LoopEnd FinishedLoop(File& target, int64_t written, int64_t size) {
    if (written >= size) return LoopEnd::Complete;
    return target.SetSize(size) ? LoopEnd::Complete : WriteFailure(target);
}

LoopEnd LoopEndOf(RangeCopyError error) {
    switch (error) {
        case RangeCopyError::Write:
            return LoopEnd::WriteFailed;
        case RangeCopyError::TooLarge:
            return LoopEnd::TooLarge;
        case RangeCopyError::None:
        case RangeCopyError::Unsupported:
        case RangeCopyError::Read:
            break;
    }
    return LoopEnd::ReadFailed;
}

// A file that holds as many bytes on disk as it is long has no holes: it is copied without
// asking where its data lies.
bool MayHaveHoles(const FileIdentity& source) { return source.allocated < source.size; }

// One buffer of the source at position into the copy at the same place: inside the kernel
// where the two file systems allow it, else read into the run's buffer and written out. The
// bytes moved (0 at the source's end) or -1 with the failure in end.
class BufferMover {
  public:
    BufferMover(std::vector<char>& buffer, File& source, File& target)
        : buffer_(buffer), source_(source), target_(target) {}

    size_t size() const { return buffer_.size(); }

    int64_t Move(int64_t position, size_t wanted, LoopEnd* end) {
        if (inKernel_) {
            RangeCopyError error = RangeCopyError::None;
            const int64_t moved =
                target_.CopyRangeFrom(source_, position, position, wanted, &error);
            if (error == RangeCopyError::None) return moved;
            if (error != RangeCopyError::Unsupported) {
                *end = LoopEndOf(error);
                return -1;
            }
            // What was copied so far stays; the rest goes through the buffer.
            inKernel_ = false;
            if (moved > 0) return moved;
        }
        return ReadAndWrite(position, wanted, end);
    }

  private:
    int64_t ReadAndWrite(int64_t position, size_t wanted, LoopEnd* end) {
        if (!source_.SeekTo(position)) return Failed(LoopEnd::ReadFailed, end);
        const int64_t got = source_.Read(buffer_.data(), wanted);
        if (got < 0) return Failed(LoopEnd::ReadFailed, end);
        if (!target_.SeekTo(position)) return Failed(LoopEnd::WriteFailed, end);
        if (!target_.Write(buffer_.data(), static_cast<size_t>(got))) {
            return Failed(WriteFailure(target_), end);
        }
        return got;
    }

    static int64_t Failed(LoopEnd failure, LoopEnd* end) {
        *end = failure;
        return -1;
    }

    std::vector<char>& buffer_;
    File& source_;
    File& target_;
    bool inKernel_ = true;
};

// Copies the source's data up to the size it had when it was opened, buffer by buffer (a
// short copy is not the end), and passes over its holes, which the copy keeps as holes where
// its file system can. A source that grows or shrinks meanwhile is caught afterwards, as any
// change is. Each buffer takes the two pauses of its read and its write.
LoopEnd CopyLoop(const CopyJob& job, RunContext& context, File& source, const FileIdentity& opened,
                 File& target) {
    BufferMover mover(context.buffer(), source, target);
    const LoadPacer pacer(context.clock(), job.LoadControl);
    const int64_t size = static_cast<int64_t>(opened.size);
    int64_t position = 0;
    int64_t written = 0;                                // where the copy's data ends
    int64_t dataEnd = MayHaveHoles(opened) ? 0 : size;  // where the stretch being copied ends
    while (context.IsActive()) {
        context.WaitForIdle(job);
        if (!context.IsActive()) break;
        if (position >= size) return FinishedLoop(target, written, size);
        if (position >= dataEnd) {
            int64_t dataStart = 0;
            if (!source.NextData(position, &dataStart, &dataEnd)) {
                return FinishedLoop(target, written, size);
            }
            position = dataStart;
            if (position >= size) return FinishedLoop(target, written, size);
        }
        const size_t wanted = static_cast<size_t>(std::min<int64_t>(
            static_cast<int64_t>(mover.size()), std::min(dataEnd, size) - position));
        LoopEnd failure = LoopEnd::Complete;
        const int64_t moved = mover.Move(position, wanted, &failure);
        pacer.Pause();
        if (moved < 0) return failure;
        // The source ended early: it shrank, which the check after the copy tells.
        if (moved == 0) return LoopEnd::Complete;
        position += moved;
        written = position;
        pacer.Pause();
    }
    return LoopEnd::Stopped;
}

FileResult ResultOfUnfinishedLoop(LoopEnd end) {
    switch (end) {
        case LoopEnd::Stopped:
            return FileResult::Cancelled;
        case LoopEnd::ReadFailed:
        case LoopEnd::TooLarge:
            return FileResult::OpenError;
        case LoopEnd::WriteFailed:
        case LoopEnd::Complete:
            break;
    }
    return FileResult::DiskFull;
}

// The latest time a destination file system may read the marker back as: FAT holds nothing
// before 1980-01-01 (local time) and stores the marker as that day; a day later is past it in
// every time zone.
constexpr int64_t kLatestMarkerReading = 315619200;  // 1980-01-02 00:00:00 UTC

// Whether the time-stamp rule takes the source for newer than a copy carrying the marker, on
// every file system and with the job's tolerance. A source dated earlier must not wait behind
// the marker: a lost copy of it would look up to date.
bool MarkerLeavesSourceNewer(const CopyJob& job, const FileIdentity& source) {
    const int64_t tolerance = std::max<int64_t>(job.IgnorTime, 0);
    return source.lastWrite.seconds >= kLatestMarkerReading + tolerance;
}

// A source whose bytes changed while they were read gets this many tries in all.
constexpr int kCopyTries = 3;

// The source as it was opened, and what the copy takes from it.
struct OpenedSource {
    File file;
    FileIdentity identity;
    uint32_t attributes = kAttrNormal;
};

// Opens the source without following a link: a link put in its place is not copied, nor is a
// file other than the one listed reached through a link put on its way.
bool OpenSource(const CopyJob& job, const std::string& source, const NodeIdentity* listed,
                OpenedSource* opened) {
    const bool open =
        listed != nullptr
            ? OpenListedFile(job.Source, source, *listed, &opened->file, &opened->identity)
            : OpenRegularFileNoFollow(source, &opened->file, &opened->identity);
    if (!open) return false;
    const uint32_t attributes =
        opened->file.Attributes(opened->identity, AfterLastSeparator(source)) & kCopiedAttributes;
    opened->attributes = attributes ? attributes : kAttrNormal;
    return true;
}

// How the finished copy is put in place.
enum class Finish {
    Durable,        // synced, with its source's times, before it takes the destination's place
    BehindMarker,   // a new copy: the marker until the run's next sync (see pending_copies.h)
    WaitsForBatch,  // its source's times, renamed into place after the next sync
    SourceChanged,  // the source kept changing: the marker, so that the next run copies it again
};

// The copy's owner (when root may give it away) and permission bits, then its times, its data
// made durable when it must be, and last its attributes, read-only among them: everything is
// settled on the temporary file, so that nothing remains to be done once it has its name.
// Only the sync can fail the copy: a destination that keeps no owners or permissions (a
// network share) still takes the data, as it always did.
bool GiveLook(File& copy, const OpenedSource& source, Finish finish) {
    const FileIdentity& from = source.identity;
    static const bool runsAsRoot = File::MayGiveFilesAway();
    if (runsAsRoot) copy.SetOwner(from.owner, from.group);
    copy.SetPermissions(from.CopyPermissions());
    const bool marked = finish == Finish::BehindMarker || finish == Finish::SourceChanged;
    copy.SetTimes(marked ? kMarkerTime : from.lastAccess, marked ? kMarkerTime : from.lastWrite);
    if (finish == Finish::Durable && !copy.Flush()) return false;
    copy.SetAttributes(source.attributes);
    return true;
}

SourceLook LookOf(const std::string& destination, const std::string& source,
                  const OpenedSource& opened, CopySettled settled) {
    return {destination, source, opened.identity.lastAccess, opened.identity.lastWrite,
            std::move(settled)};
}

// What has the destination's name in its folder: nothing, an earlier copy, or something that
// must not be replaced or written through (a link, a folder).
struct Earlier {
    bool exists = false;
    FileIdentity identity;
    bool BlocksTheCopy() const { return exists && !identity.IsRegularFile(); }
};

Earlier EarlierEntry(const OpenFolder& folder, const std::string& name) {
    Earlier earlier;
    earlier.exists = folder.EntryIdentity(name, &earlier.identity);
    return earlier;
}

// Puts the finished temporary file in the destination's place.
bool TakeDestinationsPlace(TemporaryFile& temporary, const OpenFolder& folder,
                           const std::string& destination, const Earlier& earlier) {
    if (earlier.exists) LetEarlierCopyGiveWay(destination, earlier.identity);
    if (!folder.Rename(AfterLastSeparator(temporary.path()), AfterLastSeparator(destination))) {
        return false;
    }
    temporary.Keep();
    return true;
}

FileResult AfterPause(const RunContext& context, FileResult result) {
    context.PauseAfterFile();
    return result;
}

// A failure that the run must report: the file's log line says so, and so does HadError.
FileResult Failed(RunContext& context, FileResult result) {
    context.NoteError();
    return AfterPause(context, result);
}

// One copy of one file, tried again while its source changes under it.
class OneFileCopy {
  public:
    OneFileCopy(const CopyJob& job, RunContext& context, const std::string& source,
                const std::string& destination, const NodeIdentity* listed, CopySettled* settled)
        : job_(job),
          context_(context),
          source_(source),
          destination_(destination),
          listed_(listed),
          settled_(settled) {}

    FileResult Run() {
        FileResult result = FileResult::OpenError;
        for (int tried = 1; tried <= kCopyTries; ++tried) {
            bool changed = false;
            result = Try(tried == kCopyTries, &changed);
            if (!changed) return result;
        }
        return result;
    }

  private:
    // One try. changed: the source changed while it was read, and this was not the last try.
    FileResult Try(bool lastTry, bool* changed) {
        OpenedSource opened;
        if (!OpenSource(job_, source_, listed_, &opened)) {
            return Failed(context_, FileResult::OpenError);
        }
        if (!context_.fileSizeLimits().Holds(ContainingFolder(destination_),
                                             opened.identity.size)) {
            return TooLarge();
        }
        if (!context_.freeSpace().Fits(ContainingFolder(destination_), opened.identity.size)) {
            return AfterPause(context_, FileResult::DiskFull);
        }
        // Nothing is written through a link in the destination: its target lies elsewhere.
        // The copy is made and renamed relative to its folder, held open from here on, so no
        // link put on the way later leads it elsewhere either; a link in the copy's own place
        // is found before the rename.
        const OpenFolder* folder =
            context_.HeldFolder(job_.Destination, ContainingFolder(destination_));
        if (folder == nullptr) return Failed(context_, FileResult::OpenError);
        RemoveLeftoverCopiesBeforeCopying(context_, *folder);
        TemporaryFile temporary(TemporaryCopyPathBeside(destination_));
        // Made with the copy's permission bits where the process's mask allows them, which
        // spares setting them afterwards.
        if (!temporary.file.CreateNewIn(*folder, AfterLastSeparator(temporary.path()), true, true,
                                        opened.identity.CopyPermissions())) {
            return AfterPause(context_, FileResult::OpenError);
        }
        context_.SetCurrentFile(destination_);

        const CopyBufferLease lease(context_, job_.BufferSize);
        const LoopEnd end = CopyLoop(job_, context_, opened.file, opened.identity, temporary.file);
        if (end == LoopEnd::TooLarge) return TooLarge();
        if (end != LoopEnd::Complete) return AfterPause(context_, ResultOfUnfinishedLoop(end));
        const bool heldStill = HeldStill(source_, opened.identity);
        if (!heldStill && !lastTry) {
            *changed = true;
            return FileResult::OpenError;
        }
        // A link or a folder in the copy's place fails the copy now, where its log line can
        // tell; in a folder the run has just made there is none.
        const Earlier earlier = context_.IsSurelyAbsent(destination_)
                                    ? Earlier{}
                                    : EarlierEntry(*folder, AfterLastSeparator(destination_));
        if (earlier.BlocksTheCopy()) return Failed(context_, FileResult::OpenError);
        if (heldStill && context_.pendingCopies().CopiesMayWait()) {
            GiveLook(temporary.file, opened, Finish::WaitsForBatch);
            opened.file.Close();
            return WaitForBatch(temporary, opened);
        }
        const Finish finish = FinishOf(heldStill, opened, earlier);
        if (!GiveLook(temporary.file, opened, finish)) {
            return Failed(context_, FileResult::DiskFull);
        }
        opened.file.Close();
        if (!TakeDestinationsPlace(temporary, *folder, destination_, earlier)) {
            return Failed(context_, FileResult::OpenError);
        }
        context_.NoteCopyPut(destination_);
        context_.pendingCopies().NoteRenameIn(ContainingFolder(destination_));
        if (finish == Finish::SourceChanged) return Failed(context_, FileResult::OpenError);
        context_.freeSpace().Took(ContainingFolder(destination_), opened.identity.size);
        if (finish == Finish::BehindMarker) {
            context_.pendingCopies().Add(LookOf(destination_, source_, opened, TakeSettled()));
        }
        context_.PauseAfterFile();
        return FileResult::Copied;
    }

    // A file larger than the destination's file system holds is that file's error, not a full
    // disk: the files after it may still fit.
    FileResult TooLarge() {
        ++context_.outcome().Unstorable.tooLarge;
        return Failed(context_, FileResult::OpenError);
    }

    // Outside a copy pass (where copies wait for the batch), a new copy waits for the run's
    // next sync behind the marker time; a copy that replaces an earlier one (or one that cannot
    // carry the marker) is made durable before it takes that one's place, so the earlier copy
    // is never lost. So is every copy where no sync of the whole file system would reach it.
    Finish FinishOf(bool heldStill, const OpenedSource& opened, const Earlier& earlier) const {
        if (!heldStill) return Finish::SourceChanged;
        if (earlier.exists || !MarkerLeavesSourceNewer(job_, opened.identity) ||
            !WholeSyncReaches(ContainingFolder(destination_))) {
            return Finish::Durable;
        }
        return Finish::BehindMarker;
    }

    FileResult WaitForBatch(TemporaryFile& temporary, const OpenedSource& opened) {
        temporary.Keep();
        context_.freeSpace().Took(ContainingFolder(destination_), opened.identity.size);
        context_.NoteCopyPut(destination_);
        context_.pendingCopies().AddWaiting(
            {std::move(temporary.file), temporary.path(), destination_, source_,
             MarkerLeavesSourceNewer(job_, opened.identity), TakeSettled()},
            opened.identity.size);
        context_.PauseAfterFile();
        return FileResult::Copied;
    }

    // Whom the batch the copy joins tells of it, taken from the caller.
    CopySettled TakeSettled() {
        return settled_ != nullptr ? std::exchange(*settled_, nullptr) : nullptr;
    }

    const CopyJob& job_;
    RunContext& context_;
    const std::string& source_;
    const std::string& destination_;
    const NodeIdentity* listed_;
    CopySettled* settled_;
};

}  // namespace

CopyBufferLease::CopyBufferLease(RunContext& context, int32_t bufferSize) : context_(context) {
    if (!context_.buffer().empty()) return;
    context_.buffer().resize(UsableBufferSize(bufferSize));
    allocated_ = true;
}

CopyBufferLease::~CopyBufferLease() {
    if (allocated_) std::vector<char>().swap(context_.buffer());
}

FileResult CopyFileContents(const CopyJob& job, RunContext& context, const std::string& source,
                            const std::string& destination, bool notify, const NodeIdentity* listed,
                            CopySettled* settled) {
    const FileResult result = OneFileCopy(job, context, source, destination, listed, settled).Run();
    if (result == FileResult::Copied && notify && context.window()) context.window()->Step();
    return result;
}

}  // namespace tv
