#include "platform/drive_table_file.h"

#include <cstdio>

namespace tv {
namespace {

bool HasLineBreakOrTab(const std::string& text) {
    return text.find_first_of("\t\r\n") != std::string::npos;
}

std::string BlanksForLineBreaksAndTabs(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
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
           '\t' + SerialText(drive) + '\t' + BlanksForLineBreaksAndTabs(drive.label) + '\t' +
           drive.device + '\t' + (drive.pinned ? "pinned" : "auto") + "\r\n";
}

}  // namespace

std::string FormatDrivesFile(const std::vector<DriveInfo>& drives) {
    std::string bytes;
    for (const DriveInfo& drive : drives) {
        if (HasLineBreakOrTab(drive.root) || HasLineBreakOrTab(drive.device)) continue;
        bytes += DriveLine(drive);
    }
    return bytes;
}

}  // namespace tv
