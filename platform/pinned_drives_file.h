// pinned-drives.tsv: the drive letters a user maps to folders, edited by hand in the config
// folder beside drives.tsv. One line per pinned drive, five fields separated by tabs:
//
//   letter  type  folder  serial  label
//
// letter is one of A..Z; type is a number 0..6 or one of the words removable, fixed, remote,
// cdrom, ramdisk; folder is an absolute path (not a network path); serial is 8 hex digits or
// "-" for none; label is any text, possibly empty. Lines end in CR LF or LF; a line that is not
// valid UTF-8 is read as CP932. Empty lines and lines starting with '#' are ignored.
//
// The file is read whole or not at all: one damaged line (wrong field count, bad letter,
// duplicate letter, unknown type, relative folder, bad serial, a control character such as a
// NUL) rejects it, so a half-read file never changes which folders the letters stand for.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/drive_table.h"

namespace tv {

constexpr const char* kPinnedDrivesFileName = "pinned-drives.tsv";
// Twenty-six lines with long folders and comments fit many times over; anything larger is not a
// file a person wrote.
constexpr size_t kMaxPinnedDrivesFileSize = 64 * 1024;

struct PinnedDrivesError {
    size_t line = 0;  // counted from 1; 0 when the fault is the file as a whole
    std::string reason;
};

// The drives the file declares, in file order, each marked pinned. False when the file is
// damaged: *drives is then untouched and *error names the first bad line.
bool ParsePinnedDrives(const std::string& bytes, std::vector<DriveInfo>* drives,
                       PinnedDrivesError* error);

// The file's bytes with the label of letter's line replaced by label; every other byte of the
// file, comments and line ends included, is kept. False when bytes do not parse, no line
// declares letter, or the label is not UTF-8 or holds a tab or another control character.
bool ReplacePinnedLabel(const std::string& bytes, char letter, const std::string& label,
                        std::string* updated);

// Reads the file at path. A missing file declares nothing and succeeds. On failure *drives is
// untouched and *error holds one line naming the file, the line number and the fault.
bool ReadPinnedDrivesFile(const std::string& path, std::vector<DriveInfo>* drives,
                          std::string* error);

// Rewrites the label of letter's line in the file at path, in one step (a temporary file
// renamed over it, keeping the file's permissions; a symbolic link keeps pointing at it). False,
// with the file unchanged, when it cannot be read, does not declare letter, or cannot be written.
bool WritePinnedLabel(const std::string& path, char letter, const std::string& label);

}  // namespace tv
