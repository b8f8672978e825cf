#include "platform/drive_table_file.h"

#include <algorithm>
#include <cstdio>

namespace tv {
namespace {

// Characters that would split a field or a line, or cut a reader's string short.
bool IsBreaking(char c) { return c == '\t' || c == '\r' || c == '\n' || c == '\0'; }

bool HasBreakingCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), IsBreaking);
}

std::string BlanksForBreakingCharacters(std::string text) {
    std::replace_if(text.begin(), text.end(), IsBreaking, ' ');
    return text;
}

std::string SerialText(const DriveInfo& drive) {
    if (!drive.hasSerial) return "-";
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(drive.serial));
    return text;
}

std::string DriveLine(const DriveInfo& drive) {
    return std::string(1, drive.letter) + '\t' + std::to_string(drive.type) + '\t' + drive.root +
           '\t' + SerialText(drive) + '\t' + BlanksForBreakingCharacters(drive.label) + '\t' +
           drive.device + '\t' + (drive.pinned ? "pinned" : "auto") + "\r\n";
}

}  // namespace

std::string FormatDrivesFile(const std::vector<DriveInfo>& drives) {
    std::string bytes;
    for (const DriveInfo& drive : drives) {
        if (HasBreakingCharacter(drive.root) || HasBreakingCharacter(drive.device)) continue;
        bytes += DriveLine(drive);
    }
    return bytes;
}

}  // namespace tv
