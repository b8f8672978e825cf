// Windows names its drives itself: a letter's root is "X:\" and its type the system's drive
// type (whose numbers are the ones MediaInfo uses), but a fixed disk on USB or with a removable
// medium is removable to the program, as on Linux. A removable drive's texts come from its
// storage device's descriptor. A letter the user pinned to a folder in the program is that
// folder, as the program's drive table file says, whatever drive the system has under it.
#include "cardprobe/drives.h"

#include <windows.h>
#include <winioctl.h>

#include <cstdint>
#include <vector>

#include "cardprobe/device_descriptor.h"
#include "cardprobe/drive_file.h"
#include "cardprobe/windows/unique_handle.h"
#include "cardprobe/windows/wide_text.h"

namespace tv::cardprobe {

namespace {

// Ample for the header and the four texts of any storage device.
constexpr DWORD kDescriptorBytes = 1024;

// Keeps the system from asking the user to insert a medium while the thread looks at an
// empty drive; the previous mode comes back when it goes.
class NoMediumPrompts {
  public:
    NoMediumPrompts() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    ~NoMediumPrompts() { ::SetThreadErrorMode(previous_, nullptr); }
    NoMediumPrompts(const NoMediumPrompts&) = delete;
    NoMediumPrompts& operator=(const NoMediumPrompts&) = delete;

  private:
    DWORD previous_ = 0;
};

char UpperLetter(int letter) {
    if (letter >= 'a' && letter <= 'z') return static_cast<char>(letter - 'a' + 'A');
    if (letter >= 'A' && letter <= 'Z') return static_cast<char>(letter);
    return 0;
}

std::string RootPath(char letter) { return std::string(1, letter) + ":\\"; }

int DriveTypeOf(char letter) { return static_cast<int>(::GetDriveTypeA(RootPath(letter).c_str())); }

bool IsPresent(int driveType) {
    return driveType != DRIVE_UNKNOWN && driveType != DRIVE_NO_ROOT_DIR;
}

// The volume opened without any access right: enough for the property query, and allowed
// without administrator rights.
std::optional<DeviceDescriptor> QueryDescriptor(char letter) {
    const std::string volume = std::string("\\\\.\\") + letter + ":";
    UniqueHandle device(::CreateFileA(volume.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device.valid()) return std::nullopt;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    std::vector<uint8_t> descriptor(kDescriptorBytes);
    DWORD returned = 0;
    if (!::DeviceIoControl(device.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query,
                           descriptor.data(), kDescriptorBytes, &returned, nullptr)) {
        return std::nullopt;
    }
    return ParseDeviceDescriptor(descriptor.data(), returned);
}

// The program's drive table file, in its config folder below the roaming application data,
// which the system names in APPDATA.
std::string DriveFilePath() {
    const DWORD size = ::GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (size == 0) return std::string();
    std::wstring folder(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", folder.data(), size);
    if (length == 0 || length >= size) return std::string();
    folder.resize(length);
    return Utf8Text(folder) + "\\OstrelSystem\\drives.tsv";
}

// The folder the program pins the letter to, with the type it declares for it.
std::optional<DriveRecord> PinnedDrive(char letter) {
    std::optional<DriveRecord> drive = LookUpDrive(DriveFilePath(), letter);
    if (drive && !drive->pinned) return std::nullopt;
    return drive;
}

// A removable drive asks about its free space; its storage device's texts come with it.
void ProbeRemovable(const std::string& root, const StorageTexts& texts, MediaInfo* info) {
    info->freeSpaceQuery =
        ::GetDiskFreeSpaceExW(WidePath(root).c_str(), nullptr, nullptr, nullptr) ? 1 : 0;
    PutStorageTexts(texts, info);
}

// A pinned folder has no storage device and so no texts.
int ProbePinned(const DriveRecord& drive, MediaInfo* info) {
    info->driveType = drive.type;
    if (!IsPresent(drive.type)) return 0;
    if (drive.type == DRIVE_REMOVABLE) ProbeRemovable(drive.root, StorageTexts{}, info);
    return 1;
}

}  // namespace

std::optional<std::string> RootOfLetter(int letter) {
    const char drive = UpperLetter(letter);
    if (drive == 0) return std::nullopt;
    if (const std::optional<DriveRecord> pinned = PinnedDrive(drive)) {
        if (!IsPresent(pinned->type)) return std::nullopt;
        return pinned->root;
    }
    if (!IsPresent(DriveTypeOf(drive))) return std::nullopt;
    return RootPath(drive);
}

int ProbeLetter(int letter, MediaInfo* info) {
    const NoMediumPrompts quiet;
    const char drive = UpperLetter(letter);
    info->driveType = DRIVE_NO_ROOT_DIR;
    info->mediaKind = 0;
    info->freeSpaceQuery = 0;
    if (drive == 0) return 0;
    if (const std::optional<DriveRecord> pinned = PinnedDrive(drive)) {
        return ProbePinned(*pinned, info);
    }
    const int systemType = DriveTypeOf(drive);
    info->driveType = systemType;
    if (!IsPresent(systemType)) return 0;
    std::optional<DeviceDescriptor> descriptor;
    if (systemType == DRIVE_FIXED || systemType == DRIVE_REMOVABLE) {
        descriptor = QueryDescriptor(drive);
    }
    info->driveType = ProgramDriveType(systemType, descriptor);
    if (info->driveType != DRIVE_REMOVABLE) return 1;
    ProbeRemovable(RootPath(drive), descriptor ? descriptor->texts : StorageTexts{}, info);
    return 1;
}

// A program on Windows has no way to the attribute memory of a PC card socket: no socket
// ever has a version tuple to give.
bool ReadSocketVersion(unsigned short, PcmciaTupleInfo*) { return false; }

}  // namespace tv::cardprobe
