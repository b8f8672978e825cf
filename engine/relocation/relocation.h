// The relocation run: a removable drive's backup folder copied or moved to a new folder when
// its destination changes. No selection rule applies and no file result is logged; folders
// keep their times, files are copied like every other copy (through a temporary file).
#pragma once

#include <cstdint>
#include <string>

#include "engine/job/copy_job.h"

namespace tv {

class Prompts;
class ProgressSink;
class RunContext;

struct RelocationRequest {
    std::string OldFolder;
    std::string NewFolder;
    bool Move = false;
    // The removable-media settings: the buffer is 32 KB shifted left by RemChacheSize, and
    // RemLoadControl milliseconds are slept after every read and every write.
    int32_t RemChacheSize = 0;
    int32_t RemLoadControl = 0;
    uint8_t IdleCheck = 0;
    const StringList* ExcludedFolders = nullptr;
    uint8_t ExceptSubFolder = 0;
    // 0: the window hides its progress bar.
    int32_t Navigation = 0;
    // The run's fixed fields for the flat-log line of a new folder that cannot be made; null
    // leaves them blank.
    const ::tv::LogRecord* LogRecord = nullptr;
};

enum class RelocationEnd : int {
    Finished = 0,
    DestinationFull = 1,  // a file did not fit: the run stopped
    Stopped = 2,          // a stop button
};

// Shown under a file of the old folder when that folder is itself an excluded folder.
inline constexpr const char* kMessageNoTransferFolder = "転送不要フォルダのためコピーを行いません";
// Message boxes of the run; they have no caption of their own and only an OK button.
inline constexpr const char* kBoxOpenError = "オープンエラー";
inline constexpr const char* kBoxDestinationFull = "容量不足";

// Runs on the calling thread with the context's stop state and idle gate.
//  - An empty old or new folder, or a new folder that is the old one or lies inside it once
//    "." and ".." are resolved (the copy would walk into its own output, and a move would
//    then throw away the only copy), does nothing.
//  - A new folder that cannot be made is logged in the flat log and ends the run.
//  - A file that cannot be opened (or a folder that cannot be made) is reported and passed
//    over; a file that does not fit is reported and stops the run.
//  - A file that completed while a stop was pending is removed from the new folder.
//  - A move sends the old folder's entries to the trash (the folder itself stays) only when
//    the run was neither stopped nor short of space and every file reached the new folder;
//    what the copy passed over for an excluded folder stays in the old folder.
RelocationEnd Relocate(const RelocationRequest& request, RunContext& context, Prompts& prompts,
                       ProgressSink* window, const std::string& programDir);

}  // namespace tv
