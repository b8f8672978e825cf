// The description of one run handed to the copy engine, and what the engine reports of it. The
// caller owns the job and the lists and the log fields it points at; the engine only reads them
// and fills the run's outcome.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "log/log_counters.h"
#include "log/log_record.h"
#include "platform/date_time.h"

namespace tv {

using StringList = std::vector<std::string>;

// The kind of run; a removable run may carry the DateFolders flag (kind 67).
enum JobKind : int32_t {
    DriveUnit = 1,
    FileDir = 2,
    Removable = 3,
};
constexpr int32_t DateFolders = 0x40;

// A kind with any of these bits is a whole volume: a drive unit or a removable medium.
constexpr int32_t kWholeVolumeKindMask = 0x05;
// A kind with one of these bits and the DateFolders flag copies into dated folders.
constexpr int32_t kDatedBaseKindMask = 0x03;

inline bool IsWholeVolumeKind(int32_t kind) { return (kind & kWholeVolumeKindMask) != 0; }
inline bool IsDatedKind(int32_t kind) {
    return (kind & kDatedBaseKindMask) != 0 && (kind & DateFolders) != 0;
}

// The copy buffer is 32 KB shifted left by the kind's buffer setting (0 → 32 KB, 7 → 4 MB).
constexpr int32_t kBaseBufferSize = 32 * 1024;
// The settings offer 0..10 ms; a larger value from a damaged or imported file is held to this,
// so a run is never paused for seconds after every buffer.
constexpr int32_t kMaxLoadControl = 10;
inline int32_t BufferSizeForSetting(int setting) {
    const int shift = setting < 0 ? 0 : (setting > 7 ? 7 : setting);
    return kBaseBufferSize << shift;
}

// Files logged "エラー" because the destination cannot hold them as they are, by reason; the end
// of the run tells the user why, beside how many files failed.
struct UnstorableFiles {
    uint32_t refusedNames = 0;  // a name the destination's file system refuses, even mapped
    uint32_t caseClashes = 0;   // a name the destination cannot tell from another but for case
    uint32_t tooLarge = 0;      // larger than the destination's file system holds

    bool Any() const { return refusedNames + caseClashes + tooLarge != 0; }
};

struct CopyJob {
    int32_t Kind = DriveUnit;
    std::string Source;       // source root folder or drive root
    std::string Destination;  // destination root folder
    uint8_t ExtFolder = 0;    // one folder per extension, with generations
    int32_t BufferSize = kBaseBufferSize;
    int32_t LoadControl = 3;  // milliseconds slept after every read and every write
    const StringList* ExcludedExtensions = nullptr;  // upper case, without the dot
    const StringList* TargetExtensions = nullptr;
    const StringList* ExcludedFolders = nullptr;  // full paths, trailing separator optional
    uint8_t ExceptSubFolder = 0;
    uint8_t ExceptDateFlag = 0;
    DateTime ExceptDate;
    uint8_t IncludeSubfolders = 1;
    uint8_t ForceMirror = 0;
    uint8_t ForceOverWrite = 0;
    uint8_t CheckSize = 0;
    uint8_t ExceptReadOnly = 0;
    uint8_t ExceptHidden = 0;
    uint8_t IdleCheck = 0;
    // A full backup: a file whose copy the time-stamp or size rule would pass over is compared
    // with it by content instead, and copied again when their bytes differ. It finds copies
    // damaged on the destination, which times and sizes never show.
    uint8_t FullBackup = 0;
    int32_t IgnorTime = 2;  // time-stamp tolerance in seconds
    // The fields every log line of the run starts with; the engine fills the rest of each line
    // from a copy of them. Null = nothing is logged.
    const ::tv::LogRecord* LogRecord = nullptr;
    uint8_t ShowProgress = 1;
    // A manual run asks the user (the runner's prompts) before a mirror deletion of most of the
    // destination; an unattended run (0) holds such a deletion back.
    uint8_t AskBeforeMassDeletion = 0;

    bool IsWholeVolume() const { return IsWholeVolumeKind(Kind); }
    bool IsDated() const { return IsDatedKind(Kind); }
};

// What the engine reports of one run of a job; it starts empty with the run.
struct CopyOutcome {
    // Something failed, logged or not (a folder, an open, a read, a write, the free space, a
    // move to the trash, an entry that could not be read, a refused destination, a source that
    // vanished, a mass deletion held back).
    uint8_t HadError = 0;
    // How many entries an unattended mirror deletion held back (0 = none).
    uint32_t MassDeletionHeld = 0;
    // What the run's log lines add to the counters of the activity log, counted as the log
    // viewer counts a day; its errors are the files the run failed to write.
    LogCounters Logged;
    // Which of the failed files the destination could not hold, and why.
    UnstorableFiles Unstorable;
};

}  // namespace tv
