// The automatic part of the drive table on Windows: the system's own drive letters, with the
// type, serial and label each volume reports. Letters the user pinned are left to the pins.
#include "platform/drive_table.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace tv {
namespace {

constexpr int kLetters = 26;

// Serial and label of the volume at root; false for a drive without a medium.
bool ReadVolume(const std::wstring& root, DriveInfo* drive) {
    wchar_t label[MAX_PATH + 1] = {};
    DWORD serial = 0;
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, &serial, nullptr, nullptr,
                               nullptr, 0)) {
        return false;
    }
    drive->hasSerial = true;
    drive->serial = serial;
    drive->label = detail::Utf8FromWide(label, wcslen(label));
    return true;
}

}  // namespace

bool DriveTable::ReadAutomaticDrives(std::vector<DriveInfo>* drives) const {
    const DWORD present = GetLogicalDrives();
    if (present == 0) return false;
    const uint32_t pinned = PinnedLetters();
    // An empty floppy or card reader answers without the system asking for a medium.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    drives->clear();
    for (int i = 0; i < kLetters; ++i) {
        const uint32_t bit = 1u << i;
        if ((present & bit) == 0 || (pinned & bit) != 0) continue;
        DriveInfo drive;
        drive.letter = static_cast<char>('A' + i);
        drive.root = std::string(1, drive.letter) + ":/";
        const std::wstring root = {static_cast<wchar_t>(L'A' + i), L':', L'\\'};
        drive.type = static_cast<int>(GetDriveTypeW(root.c_str()));
        drive.device = drive.root;
        ReadVolume(root, &drive);
        drives->push_back(std::move(drive));
    }
    SetErrorMode(previousMode);
    return true;
}

}  // namespace tv
