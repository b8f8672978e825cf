#include "engine/listing/selection_rules.h"

#include <algorithm>
#include <cstdint>

#include "engine/durability/pending_copies.h"
#include "platform/date_time.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace tv {

bool ListContains(const StringList* list, const std::string& text) {
    return list != nullptr && std::find(list->begin(), list->end(), text) != list->end();
}

namespace {

int64_t WholeSeconds(const FileStatus& status) { return status.lastWrite.seconds; }

// A date compared as (year, month, day); an invalid date reads as -1 in every part.
struct CalendarDay {
    int year, month, day;
    bool operator<(const CalendarDay& o) const {
        if (year != o.year) return year < o.year;
        if (month != o.month) return month < o.month;
        return day < o.day;
    }
};

CalendarDay DayOf(const DateTime& date) { return {date.Year(), date.Month(), date.Day()}; }

// FAT keeps nothing before 1980-01-01 00:00 local time and stores the marker as that moment;
// read back, it lies within a day's zone offsets of that moment in UTC, on a quarter hour.
constexpr int64_t kFatFloorUtc = 315532800;  // 1980-01-01 00:00:00 UTC
constexpr int64_t kWidestZoneOffset = 14 * 3600;
constexpr int64_t kZoneStep = 15 * 60;

// The range is tested before the difference is taken, so times at the ends of the 64-bit range
// cannot overflow it.
bool IsFatFloor(const FileTime& t) {
    if (t.nanoseconds != 0 || t.seconds < kFatFloorUtc - kWidestZoneOffset ||
        t.seconds > kFatFloorUtc + kWidestZoneOffset) {
        return false;
    }
    return (t.seconds - kFatFloorUtc) % kZoneStep == 0;
}

}  // namespace

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string ExtensionOfPath(const std::string& path) {
    const auto dot = path.rfind('.');
    std::string extension;
    if (dot == std::string::npos) {
        extension = path;
    } else if (dot != 0) {
        extension = path.substr(dot + 1);
    }
    return UpperAscii(extension);
}

bool IsTransferTarget(const CopyJob& job, const std::string& source) {
    if (job.TargetExtensions == nullptr && job.ExcludedExtensions == nullptr) return true;
    const std::string extension = ExtensionOfPath(source);
    if (ListContains(job.TargetExtensions, extension)) return true;
    return !ListContains(job.ExcludedExtensions, extension);
}

bool CarriesMarker(const FileStatus& copy) {
    return copy.lastWrite == kMarkerTime || IsFatFloor(copy.lastWrite);
}

bool IsDestinationNewer(const CopyJob& job, const FileStatus& source,
                        const FileStatus* destination) {
    if (job.ForceOverWrite || destination == nullptr || CarriesMarker(*destination)) return false;
    // A time stamp near either end of the 64-bit range must not wrap the sum around: beyond
    // the range every source lies below it (positive tolerance) or above it (negative).
    int64_t limit = 0;
    if (__builtin_add_overflow(WholeSeconds(*destination), int64_t{job.IgnorTime}, &limit)) {
        return job.IgnorTime > 0;
    }
    return WholeSeconds(source) < limit;
}

bool IsDestinationNewer(const CopyJob& job, const std::string& source,
                        const std::string& destination) {
    FileStatus sourceStatus, destinationStatus;
    if (job.ForceOverWrite || !GetFileStatus(destination, &destinationStatus)) return false;
    if (!GetFileStatus(source, &sourceStatus)) return false;
    return IsDestinationNewer(job, sourceStatus, &destinationStatus);
}

bool IsSameSize(const CopyJob& job, const FileStatus& source, const FileStatus* destination) {
    return job.CheckSize && destination != nullptr && !CarriesMarker(*destination) &&
           source.size == destination->size;
}

bool IsSameSize(const CopyJob& job, const std::string& source, const std::string& destination) {
    FileStatus sourceStatus, destinationStatus;
    if (!job.CheckSize || !GetFileStatus(destination, &destinationStatus)) return false;
    if (!GetFileStatus(source, &sourceStatus)) return false;
    return IsSameSize(job, sourceStatus, &destinationStatus);
}

bool IsPassedOverForTimeOrSize(const CopyJob& job, const FileStatus& source,
                               const FileStatus* destination) {
    return IsDestinationNewer(job, source, destination) || IsSameSize(job, source, destination);
}

bool IsExcludedReadOnly(const CopyJob& job, const FileStatus& source) {
    return job.ExceptReadOnly && (source.attributes & kAttrReadOnly) != 0;
}

bool IsExcludedReadOnly(const CopyJob& job, const std::string& source) {
    FileStatus status;
    return job.ExceptReadOnly && GetFileStatus(source, &status) && IsExcludedReadOnly(job, status);
}

bool IsExcludedHidden(const CopyJob& job, const FileStatus& source) {
    return job.ExceptHidden && (source.attributes & kAttrHidden) != 0;
}

bool IsExcludedHidden(const CopyJob& job, const std::string& source) {
    FileStatus status;
    return job.ExceptHidden && GetFileStatus(source, &status) && IsExcludedHidden(job, status);
}

bool IsOlderThanReference(const CopyJob& job, const FileStatus& source) {
    if (!job.ExceptDateFlag) return false;
    const DateTime written = DateTime::FromTimeT(static_cast<std::time_t>(WholeSeconds(source)));
    return DayOf(written) < DayOf(job.ExceptDate);
}

bool IsOlderThanReference(const CopyJob& job, const std::string& source) {
    FileStatus status;
    return job.ExceptDateFlag && GetFileStatus(source, &status) &&
           IsOlderThanReference(job, status);
}

bool IsExcludedFolder(const CopyJob& job, const std::string& folder) {
    if (job.ExcludedFolders == nullptr || job.ExcludedFolders->empty()) return false;
    const std::string tested = WithTrailingSeparator(folder);
    for (const std::string& entry : *job.ExcludedFolders) {
        // A blank line of the list is no folder: with a separator appended it would read as the
        // file-system root and, with ExceptSubFolder, exclude every folder of every run.
        if (entry.empty()) continue;
        const std::string excluded = WithTrailingSeparator(entry);
        if (tested == excluded) return true;
        if (job.ExceptSubFolder && tested.compare(0, excluded.size(), excluded) == 0) return true;
    }
    return false;
}

bool IsSelectedSource(const CopyJob& job, const std::string& source, const FileStatus& status) {
    return IsTransferTarget(job, source) && !IsExcludedReadOnly(job, status) &&
           !IsExcludedHidden(job, status) && !IsOlderThanReference(job, status);
}

bool NeedsCopy(const CopyJob& job, const std::string& source, const std::string& destination) {
    FileStatus destinationStatus;
    if (!GetFileStatus(destination, &destinationStatus)) return true;
    if (!IsTransferTarget(job, source)) return false;
    FileStatus sourceStatus;
    // A source that cannot be read is let through so that its copy fails visibly.
    if (!GetFileStatus(source, &sourceStatus)) return true;
    return NeedsCopy(job, source, sourceStatus, &destinationStatus);
}

bool NeedsCopy(const CopyJob& job, const std::string& source, const FileStatus& sourceStatus,
               const FileStatus* copy) {
    if (copy == nullptr) return true;
    return (job.FullBackup || !IsPassedOverForTimeOrSize(job, sourceStatus, copy)) &&
           IsSelectedSource(job, source, sourceStatus);
}

}  // namespace tv
