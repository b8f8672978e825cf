#include "engine/buffered_file_copy.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "engine/pending_copies.h"
#include "engine/progress_sink.h"
#include "engine/run_context.h"
#include "platform/clock.h"
#include "platform/drive_table.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr int32_t kMaxBufferSize = kBaseBufferSize << 7;
constexpr uint32_t kCopiedAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;

size_t UsableBufferSize(int32_t requested) {
    if (requested <= 0) return kBaseBufferSize;
    return static_cast<size_t>(requested > kMaxBufferSize ? kMaxBufferSize : requested);
}

// A name of fixed length, so that a long destination name does not make it too long.
std::string TemporaryPathBeside(const std::string& destination) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".tvpart-%016llx",
                  static_cast<unsigned long long>(generator()));
    return JoinPath(ContainingFolder(destination), name);
}

bool FitsOnDestination(const RunContext& context, const std::string& destination, uint64_t size) {
    uint64_t available = 0;
    // When the volume cannot be asked, the open or the writes tell.
    if (!context.drives().FreeBytesAvailable(ContainingFolder(destination), &available)) {
        return true;
    }
    return available >= size;
}

// Removes the unfinished temporary file when the copy does not complete.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        file.Close();
        if (!kept_) DeleteFile(path_);
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

enum class LoopEnd { Complete, Stopped, ReadFailed, WriteFailed };

class LoadPacer {
  public:
    LoadPacer(const Clock& clock, int32_t milliseconds)
        : clock_(clock),
          milliseconds_(static_cast<unsigned>(std::clamp(milliseconds, 0, kMaxLoadControl))) {}
    void Pause() const {
        if (milliseconds_) clock_.SleepMs(milliseconds_);
    }

  private:
    const Clock& clock_;
    unsigned milliseconds_;
};

// Reads until the end of the source (a short read is not the end), buffer by buffer.
LoopEnd CopyLoop(const CopyJob& job, RunContext& context, File& source, File& target) {
    std::vector<char>& buffer = context.buffer();
    const LoadPacer pacer(context.clock(), job.LoadControl);
    while (context.IsActive()) {
        context.WaitForIdle(job);
        if (!context.IsActive()) break;
        const int64_t got = source.Read(buffer.data(), buffer.size());
        pacer.Pause();
        if (got < 0) return LoopEnd::ReadFailed;
        if (got == 0) return LoopEnd::Complete;
        if (!target.Write(buffer.data(), static_cast<size_t>(got))) return LoopEnd::WriteFailed;
        pacer.Pause();
    }
    return LoopEnd::Stopped;
}

FileResult ResultOfUnfinishedLoop(LoopEnd end) {
    switch (end) {
        case LoopEnd::Stopped:
            return FileResult::Cancelled;
        case LoopEnd::ReadFailed:
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
bool MarkerLeavesSourceNewer(const CopyJob& job, const FileStatus& source) {
    const int64_t tolerance = std::max<int64_t>(job.IgnorTime, 0);
    return source.lastWrite.seconds >= kLatestMarkerReading + tolerance;
}

// A new copy waits for the run's next sync behind the marker time; a copy that replaces an
// earlier one (or one that cannot wait) is made durable before it takes that one's place, so
// the earlier copy is never lost.
bool WaitsBehindMarker(const CopyJob& job, const TemporaryFile& temporary,
                       const std::string& destination, const FileStatus& source) {
    return !PathExists(destination) && MarkerLeavesSourceNewer(job, source) &&
           SetFileTimes(temporary.path(), kMarkerTime, kMarkerTime);
}

SourceLook LookOf(const std::string& destination, const std::string& source,
                  const FileStatus& status) {
    const uint32_t attributes = status.attributes & kCopiedAttributes;
    return {destination, source, status.lastAccess, status.lastWrite,
            attributes ? attributes : kAttrNormal};
}

// Puts the finished temporary file in the destination's place.
bool TakeDestinationsPlace(TemporaryFile& temporary, const std::string& destination) {
    if (PathExists(destination)) SetFileAttributes(destination, kAttrNormal);
    if (!MoveFile(temporary.path(), destination)) return false;
    temporary.Keep();
    return true;
}

FileResult AfterPause(const RunContext& context, FileResult result) {
    context.PauseAfterFile();
    return result;
}

}  // namespace

CopyBufferLease::CopyBufferLease(RunContext& context, int32_t bufferSize) : context_(context) {
    if (!context_.buffer().empty()) return;
    context_.buffer().resize(UsableBufferSize(bufferSize));
    allocated_ = true;
}

CopyBufferLease::~CopyBufferLease() {
    if (allocated_) std::vector<char>().swap(context_.buffer());
}

FileResult CopyFileContents(CopyJob& job, RunContext& context, const std::string& source,
                            const std::string& destination, bool notify) {
    FileStatus status;
    if (!GetFileStatus(source, &status)) return AfterPause(context, FileResult::OpenError);
    if (!FitsOnDestination(context, destination, status.size)) {
        return AfterPause(context, FileResult::DiskFull);
    }
    File input;
    if (!input.OpenForRead(source, true, true)) return AfterPause(context, FileResult::OpenError);
    TemporaryFile temporary(TemporaryPathBeside(destination));
    if (!temporary.file.CreateForWrite(temporary.path(), true, true)) {
        return AfterPause(context, FileResult::OpenError);
    }
    context.SetCurrentFile(destination);

    const CopyBufferLease lease(context, job.BufferSize);
    const LoopEnd end = CopyLoop(job, context, input, temporary.file);
    if (end != LoopEnd::Complete) return AfterPause(context, ResultOfUnfinishedLoop(end));
    GetFileStatus(source, &status);
    const bool waits = WaitsBehindMarker(job, temporary, destination, status);
    if (!waits && !temporary.file.Flush()) return AfterPause(context, FileResult::DiskFull);
    temporary.file.Close();
    input.Close();

    if (!TakeDestinationsPlace(temporary, destination)) {
        return AfterPause(context, FileResult::OpenError);
    }
    if (waits) {
        context.pendingCopies().Add(LookOf(destination, source, status));
    } else {
        ApplySourceLook(LookOf(destination, source, status));
    }
    context.PauseAfterFile();
    if (notify && job.NotifyWindow) job.NotifyWindow->Step();
    return FileResult::Copied;
}

}  // namespace tv
