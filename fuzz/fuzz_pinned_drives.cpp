// Feeds arbitrary bytes to the reader of the user's pinned drives (pinned-drives.tsv). What it
// accepts must be sound drives, and rewriting a label must give a file that reads back the same
// but for that label.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/pinned_drives_file.h"

namespace {

bool IsSound(const tv::DriveInfo& drive, uint32_t* seenLetters) {
    if (drive.letter < 'A' || drive.letter > 'Z' || drive.type < 0 || drive.type > 6) return false;
    const uint32_t bit = 1u << (drive.letter - 'A');
    if (*seenLetters & bit) return false;
    *seenLetters |= bit;
    if (drive.root.empty() || drive.root.front() != '/' || drive.root.back() != '/') return false;
    if (tv::IsNetworkPath(drive.root) || !drive.pinned || (!drive.hasSerial && drive.serial != 0)) {
        return false;
    }
    for (const std::string* text : {&drive.root, &drive.label}) {
        for (const char c : *text) {
            if (static_cast<unsigned char>(c) < 0x20) return false;
        }
    }
    return true;
}

// The same drives but for the label of the first one.
bool SameButFirstLabel(const std::vector<tv::DriveInfo>& before,
                       const std::vector<tv::DriveInfo>& after, const std::string& label) {
    if (before.size() != after.size()) return false;
    for (size_t i = 0; i < before.size(); ++i) {
        const tv::DriveInfo& a = before[i];
        const tv::DriveInfo& b = after[i];
        if (a.letter != b.letter || a.type != b.type || a.root != b.root ||
            a.hasSerial != b.hasSerial || a.serial != b.serial) {
            return false;
        }
        if (b.label != (i == 0 ? label : a.label)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<tv::DriveInfo> drives;
    tv::PinnedDrivesError error;
    if (!tv::ParsePinnedDrives(bytes, &drives, &error)) {
        if (error.reason.empty() || error.line > bytes.size() + 1) std::abort();
        return 0;
    }
    uint32_t seenLetters = 0;
    for (const tv::DriveInfo& drive : drives) {
        if (!IsSound(drive, &seenLetters)) std::abort();
    }
    if (drives.empty()) return 0;

    const std::string label = "ラベル";
    std::string updated;
    if (!tv::ReplacePinnedLabel(bytes, drives.front().letter, label, &updated)) {
        // Only a rewrite that would grow the file past its limit may fail: a CP932 line
        // becomes at most three times longer as UTF-8.
        if (3 * size + label.size() <= tv::kMaxPinnedDrivesFileSize) std::abort();
        return 0;
    }
    std::vector<tv::DriveInfo> again;
    if (!tv::ParsePinnedDrives(updated, &again, &error) ||
        !SameButFirstLabel(drives, again, label)) {
        std::abort();
    }
    return 0;
}
