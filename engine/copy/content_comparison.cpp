#include "engine/copy/content_comparison.h"

#include <cstring>
#include <vector>

#include "engine/copy/buffered_file_copy.h"
#include "engine/copy/checked_open.h"
#include "engine/job/load_pacer.h"
#include "engine/job/run_context.h"
#include "platform/file_system.h"

namespace tv {

namespace {

// The run's buffer shared between the two files: one half for each.
struct BufferHalves {
    char* source;
    char* copy;
    size_t size;
};

BufferHalves HalvesOf(std::vector<char>& buffer) {
    const size_t half = buffer.size() / 2;
    return {buffer.data(), buffer.data() + half, half};
}

enum class Stretch { Equal, EqualToTheEnd, Differs, ReadFailed };

// Reads the next stretch of both files. A read fills the buffer unless the end comes first,
// so a short count is the end of that file.
Stretch CompareNextStretch(File& source, File& copy, const BufferHalves& halves,
                           const LoadPacer& pacer) {
    const int64_t fromSource = source.Read(halves.source, halves.size);
    pacer.Pause();
    if (fromSource < 0) return Stretch::ReadFailed;
    const int64_t fromCopy = copy.Read(halves.copy, halves.size);
    pacer.Pause();
    if (fromCopy < 0) return Stretch::ReadFailed;
    if (fromSource != fromCopy ||
        std::memcmp(halves.source, halves.copy, static_cast<size_t>(fromSource)) != 0) {
        return Stretch::Differs;
    }
    return static_cast<size_t>(fromSource) < halves.size ? Stretch::EqualToTheEnd : Stretch::Equal;
}

ContentVerdict CompareOpenFiles(const CopyJob& job, RunContext& context, File& source, File& copy) {
    const CopyBufferLease lease(context, job.BufferSize);
    const BufferHalves halves = HalvesOf(context.buffer());
    const LoadPacer pacer(context.clock(), job.LoadControl);
    while (context.IsActive()) {
        context.WaitForIdle(job);
        if (!context.IsActive()) break;
        switch (CompareNextStretch(source, copy, halves, pacer)) {
            case Stretch::Equal:
                continue;
            case Stretch::EqualToTheEnd:
                return ContentVerdict::Same;
            case Stretch::Differs:
                return ContentVerdict::Different;
            case Stretch::ReadFailed:
                return ContentVerdict::Unreadable;
        }
    }
    return ContentVerdict::Stopped;
}

}  // namespace

ContentVerdict CompareWithCopy(const CopyJob& job, RunContext& context, const std::string& source,
                               const std::string& copy) {
    // What a link in the destination leads to is not the copy, and is never written over.
    if (HasLinkBelow(job.Destination, copy)) return ContentVerdict::Unreadable;
    File sourceFile, copyFile;
    FileIdentity sourceIdentity, copyIdentity;
    if (!OpenRegularFileNoFollow(source, &sourceFile, &sourceIdentity) ||
        !OpenRegularFileNoFollow(copy, &copyFile, &copyIdentity)) {
        return ContentVerdict::Unreadable;
    }
    if (sourceIdentity.size != copyIdentity.size) return ContentVerdict::Different;
    context.SetCurrentFile(copy);
    const ContentVerdict verdict = CompareOpenFiles(job, context, sourceFile, copyFile);
    // A source written while it was read may have matched a copy it no longer equals.
    if (verdict == ContentVerdict::Same && !HeldStill(source, sourceIdentity)) {
        return ContentVerdict::Different;
    }
    return verdict;
}

}  // namespace tv
