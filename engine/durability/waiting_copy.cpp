#include "engine/durability/waiting_copy.h"

#include "engine/durability/pending_copies.h"
#include "platform/file_error.h"
#include "platform/win_constants.h"

namespace tv {
namespace {

void Discard(WaitingCopy& copy) { DiscardTemporaryCopy(copy.file, copy.temporary); }

// The place holds an earlier regular file: it gives way.
bool ReplaceEarlier(WaitingCopy& copy) {
    FileIdentity earlier;
    if (!GetEntryIdentity(copy.path, &earlier) || !earlier.IsRegularFile()) return false;
    LetEarlierCopyGiveWay(copy.path, earlier);
    return MoveFile(copy.temporary, copy.path);
}

}  // namespace

void DiscardTemporaryCopy(File& file, const std::string& temporary) {
    if (file.IsOpen()) file.SetAttributes(kAttrNormal);
    file.Close();
    DeleteFile(temporary);
}

void LetEarlierCopyGiveWay(const std::string& path, const FileIdentity& earlier) {
    if (earlier.IsRegularFile() && !earlier.IsOwnerWritable()) {
        SetFileAttributes(path, kAttrNormal);
    }
}

bool PutWaitingCopyInPlace(WaitingCopy& copy, bool durable,
                           const std::function<bool(File&)>& syncAlone) {
    if (!durable) durable = syncAlone(copy.file);
    if (!durable) {
        // A copy that is not durable takes its place only carrying the marker, before it has
        // the name, and never over an earlier file, which stays.
        if (!copy.markerLeavesSourceNewer || !copy.file.SetTimes(kMarkerTime, kMarkerTime)) {
            Discard(copy);
            return false;
        }
    }
    if (MoveFileIfFree(copy.temporary, copy.path)) {
        copy.file.Close();
        return durable;
    }
    const bool replaced = LastFileError() == FileError::Exists && durable && ReplaceEarlier(copy);
    if (!replaced) {
        Discard(copy);
        return false;
    }
    copy.file.Close();
    return true;
}

}  // namespace tv
