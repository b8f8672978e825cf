// A finished copy that waits under its temporary name for the sync that makes its batch
// durable (see pending_copies.h). It stays open, so that its lock tells any sweep for
// leftovers that it is no leftover, and it has its source's look already.
#pragma once

#include <functional>
#include <string>

#include "engine/durability/settled_copy.h"
#include "platform/file_system.h"

namespace tv {

struct WaitingCopy {
    File file;              // the copy, still open
    std::string temporary;  // its temporary name beside its place
    std::string path;       // its place
    std::string source;     // what it was copied from
    // The copy may carry the marker time if it cannot be made durable: every rule takes its
    // source for newer than the marker.
    bool markerLeavesSourceNewer = true;
    CopySettled settled;
};

// Removes a temporary copy that will not take its place. It may be read-only by then (it is
// given its attributes before the rename), and a read-only file is never deleted: the
// attribute is cleared first, through the file while it is still open.
void DiscardTemporaryCopy(File& file, const std::string& temporary);

// An earlier regular copy at path, read-only, is made writable before a copy replaces it, as
// Windows wants it.
void LetEarlierCopyGiveWay(const std::string& path, const FileIdentity& earlier);

// Puts a copy in its place once its file system is durable (durable), or else once it is
// synced alone: a new copy by a rename that replaces nothing; a copy whose place has an earlier
// file in it (a regular one: a link or a folder there is never replaced) over that file. Where
// it cannot be made durable, a new copy still takes its place, carrying the marker, and a
// replacing one is removed, so that the earlier file stays. False when the copy is not in
// place as a durable copy: the run did not back it up. The copy is closed either way.
// syncAlone makes one file durable.
bool PutWaitingCopyInPlace(WaitingCopy& copy, bool durable,
                           const std::function<bool(File&)>& syncAlone);

}  // namespace tv
