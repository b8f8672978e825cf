// What becomes of a copy that waits for its batch's sync (see pending_copies.h): only once the
// batch is made durable, and a sync has followed the copy's rename, is it known whether the copy
// took its place as a durable copy, and only then may the run say so (its log line).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tv {

// Told whether the copy is in place and durable, on the run's thread, whichever thread made its
// batch durable. May be empty: nobody is told.
using CopySettled = std::function<void(bool durable)>;

struct SettledCopy {
    CopySettled tell;
    bool durable = false;
    // The folder it was put in while its place is durable only after a later sync of that
    // folder's file system (a rename is on disk once a sync follows it); empty otherwise.
    std::string awaitsSyncIn;
};

using SettledCopies = std::vector<SettledCopy>;

}  // namespace tv
