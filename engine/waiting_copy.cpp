#include "engine/waiting_copy.h"

#include <sys/stat.h>

#include <cerrno>

#include "engine/pending_copies.h"
#include "platform/win_constants.h"

namespace tv {
namespace {

void Discard(WaitingCopy& copy) {
    copy.file.SetAttributes(kAttrNormal);
    copy.file.Close();
    DeleteFile(copy.temporary);
}

// The place holds an earlier regular file: it gives way, made writable first as Windows wants
// it before it can be replaced.
bool ReplaceEarlier(WaitingCopy& copy) {
    FileIdentity earlier;
    if (!GetEntryIdentity(copy.path, &earlier) || !earlier.IsRegularFile()) return false;
    if ((earlier.mode & S_IWUSR) == 0) SetFileAttributes(copy.path, kAttrNormal);
    return MoveFile(copy.temporary, copy.path);
}

}  // namespace

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
    const bool replaced = errno == EEXIST && durable && ReplaceEarlier(copy);
    if (!replaced) {
        Discard(copy);
        return false;
    }
    copy.file.Close();
    return true;
}

}  // namespace tv
