// How the destination of a run lies to its source, by the identity of the folders (device and
// inode), so that links and bind mounts are seen through. A destination that is the source or
// holds it would take the source's own files for extras; one inside the source would be copied
// into itself on every run.
#pragma once

#include <optional>
#include <string>

#include "platform/node_identity.h"

namespace tv {

enum class DestinationNesting {
    Apart,         // neither holds the other (or the source cannot be looked at)
    SameFolder,    // the destination is the source
    HoldsSource,   // the destination is a folder above the source
    InsideSource,  // the destination is (or will be made) inside the source
};

struct DestinationPlace {
    DestinationNesting nesting = DestinationNesting::Apart;
    // The destination's own identity when it exists already.
    std::optional<NodeIdentity> destination;
};

// A destination that does not exist yet is placed by its nearest existing folder.
DestinationPlace PlaceOfDestination(const std::string& source, const std::string& destination);

// True for a nesting that must end the run before anything is copied or deleted.
bool EndsTheRun(DestinationNesting nesting);

}  // namespace tv
