// Measures what the capacity display of the drive unit and file/directory pages shows: the
// amount to save and the space usable on the destination, both in MB. It reads the disks and
// may connect shares, so the pages run it off the user-interface thread, on a question that
// holds its own copies of the drive table and the settings.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/drive_table.h"
#include "platform/share_mounter.h"
#include "settings/settings_record.h"

namespace tv {

struct CapacityQuestion {
    DriveTable drives;
    SettingsRecord settings;        // credentials, exclusion rules and FileList
    std::vector<char> wholeDrives;  // drives whose used space is saved
    bool countsFileList = false;    // the file/directory page saves FileList too
    std::string destination;
};

struct CapacityFigures {
    uint64_t amountMb = 0;
    uint64_t usableMb = 0;
};

// The drives of the drive unit: the fixed drives, and the CD-ROM drives unless SyncNoCDCopy;
// none while Synchronize is clear.
std::vector<char> DriveUnitSources(const DriveTable& drives, const SettingsRecord& settings);

// The used space of a drive; 0 when the query fails.
uint64_t UsedMegabytes(const DriveTable& drives, char letter);

// The space the user may still write on destination. A path that does not exist is asked on
// the drive it would lie on; a network destination is connected around the query. Empty,
// unreachable or failed: 0.
uint64_t UsableMegabytes(const DriveTable& drives, SettingsRecord& settings,
                         const std::string& destination, ShareMounter& mounter);

// The bytes of the FileList entries that a run would copy: folders with their contents, each
// file only if the exclusion rules let it through. Network entries are connected around their
// walk. Stops early, with what it has counted, once stop is set.
uint64_t FileListBytes(SettingsRecord& settings, ShareMounter& mounter,
                       const std::atomic<bool>& stop);

CapacityFigures MeasureCapacity(CapacityQuestion& question, ShareMounter& mounter,
                                const std::atomic<bool>& stop);

}  // namespace tv
