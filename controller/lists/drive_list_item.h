// What the drive list shows of each drive: one row of plain values per logical drive, the
// filter that picks the kinds of drive a page lists, and the item text, whose "_" separates the
// kind label from the display name (the two parts are drawn apart, with the icon between them).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tv {

class DriveTable;

// Filter bits: the kinds of drive a list shows.
constexpr unsigned kDriveListFixed = 0x01;
constexpr unsigned kDriveListCdRom = 0x02;
constexpr unsigned kDriveListRemovable = 0x04;
constexpr unsigned kDriveListNetwork = 0x08;
constexpr unsigned kDriveListRamDisk = 0x10;

struct DriveListRow {
    char letter = 'A';
    int type = 0;             // drive type 0–6
    std::string displayName;  // the shell's display name ("ラベル (E:)")
    // The media kind in the medium's card name, for a removable drive; none when the medium
    // has no card name.
    std::optional<int> cardKind;
};

// The drives of the table in letter order, with their display names and no card kinds: the
// card name lives on the medium, and whoever reads it fills cardKind in.
std::vector<DriveListRow> DriveListRows(const DriveTable& drives);

// Whether a drive of this type passes the filter; unknown drives and letters without a root
// never do.
bool DriveListShows(int type, unsigned filter);

// "HD   ： _ローカル ディスク (C:)", "CF   ： _リムーバブル ディスク (E:)" …
std::string DriveListItemText(const DriveListRow& row);

// The two drawn parts of an item text: the kind label without the blank in front of the
// first "_", and the display name after it.
struct DriveItemParts {
    std::string label;
    std::string name;
};
DriveItemParts SplitDriveItemText(const std::string& text);

}  // namespace tv
