#include "controller/lists/drive_list_item.h"

#include "cardprobe/cardprobe.h"
#include "platform/drive_table.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr const char* kLabelEnd = "： _";

// The kind label of a removable drive: the short label of its card's media kind, the "RM"
// label when the medium has no card name or its kind is not a single code.
std::string RemovableLabel(const std::optional<int>& cardKind) {
    return FindMediaKind(cardKind.value_or(kMediaOther))->shortLabel;
}

std::string KindLabel(const DriveListRow& row) {
    switch (row.type) {
        case kDriveFixed:
            return "HD   ";
        case kDriveCdRom:
            return "CD   ";
        case kDriveRemote:
            return "NTW  ";
        case kDriveRamDisk:
            return "RAM  ";
        default:
            return RemovableLabel(row.cardKind);
    }
}

}  // namespace

std::vector<DriveListRow> DriveListRows(const DriveTable& drives) {
    std::vector<DriveListRow> rows;
    for (const DriveInfo& drive : drives.Drives()) {
        rows.push_back({drive.letter, drive.type, drives.DisplayName(drive.root), std::nullopt});
    }
    return rows;
}

bool DriveListShows(int type, unsigned filter) {
    switch (type) {
        case kDriveFixed:
            return (filter & kDriveListFixed) != 0;
        case kDriveCdRom:
            return (filter & kDriveListCdRom) != 0;
        case kDriveRemovable:
            return (filter & kDriveListRemovable) != 0;
        case kDriveRemote:
            return (filter & kDriveListNetwork) != 0;
        case kDriveRamDisk:
            return (filter & kDriveListRamDisk) != 0;
        default:
            return false;
    }
}

std::string DriveListItemText(const DriveListRow& row) {
    return KindLabel(row) + kLabelEnd + row.displayName;
}

DriveItemParts SplitDriveItemText(const std::string& text) {
    const std::string::size_type mark = text.find('_');
    if (mark == std::string::npos) return {text, ""};
    std::string::size_type labelEnd = mark;
    if (labelEnd > 0 && text[labelEnd - 1] == ' ') --labelEnd;
    return {text.substr(0, labelEnd), text.substr(mark + 1)};
}

}  // namespace tv
