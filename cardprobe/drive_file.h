// The drive table file drives.tsv that the program keeps in its config folder: one line per
// present drive letter with its type, root folder, volume serial, label, backing device and
// whether the letter is pinned. The library links nothing of the program, so it reads the file
// itself to resolve a letter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tv::cardprobe {

struct DriveRecord {
    char letter = 0;   // 'A'..'Z'
    int type = 0;      // 0 unknown … 6 RAM disk
    std::string root;  // absolute folder, always ending in a separator
    bool hasSerial = false;
    uint32_t serial = 0;
    std::string label;
    std::string device;  // "/dev/sdb1"; empty for a pinned folder
    bool pinned = false;
};

// Larger files are not a drive table the program wrote; they are refused as a whole.
constexpr std::size_t kMaxDriveFileSize = 1 << 20;

// One line without its line end (a trailing CR is allowed). False for a damaged line.
bool ParseDriveLine(std::string_view line, DriveRecord* record);

// The first intact line of the table for letter (either case); damaged lines are skipped.
std::optional<DriveRecord> FindDrive(std::string_view table, int letter);

// The record of letter in the drive table file at path; none when the file cannot be read, is
// too large, or has no intact line for the letter.
std::optional<DriveRecord> LookUpDrive(const std::string& path, int letter);

}  // namespace tv::cardprobe
