// Windows names its drives itself: a letter's root is "X:\" and its type the system's drive
// type (whose numbers are the ones MediaInfo uses), but a fixed disk on USB or with a removable
// medium is removable to the program, as on Linux. A removable drive's texts come from its
// storage device's descriptor.
#include "cardprobe/drives.h"

#include <windows.h>
#include <winioctl.h>

#include <cstdint>
#include <vector>

#include "cardprobe/device_descriptor.h"
#include "cardprobe/windows/unique_handle.h"

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

}  // namespace

std::optional<std::string> RootOfLetter(int letter) {
    const char drive = UpperLetter(letter);
    if (drive == 0 || !IsPresent(DriveTypeOf(drive))) return std::nullopt;
    return RootPath(drive);
}

int ProbeLetter(int letter, MediaInfo* info) {
    const NoMediumPrompts quiet;
    const char drive = UpperLetter(letter);
    const int systemType = drive == 0 ? DRIVE_NO_ROOT_DIR : DriveTypeOf(drive);
    info->driveType = systemType;
    info->mediaKind = 0;
    info->freeSpaceQuery = 0;
    if (!IsPresent(systemType)) return 0;
    std::optional<DeviceDescriptor> descriptor;
    if (systemType == DRIVE_FIXED || systemType == DRIVE_REMOVABLE) {
        descriptor = QueryDescriptor(drive);
    }
    info->driveType = ProgramDriveType(systemType, descriptor);
    if (info->driveType != DRIVE_REMOVABLE) return 1;

    const std::string root = RootPath(drive);
    info->freeSpaceQuery = ::GetDiskFreeSpaceExA(root.c_str(), nullptr, nullptr, nullptr) ? 1 : 0;
    PutStorageTexts(descriptor ? descriptor->texts : StorageTexts{}, info);
    return 1;
}

// A program on Windows has no way to the attribute memory of a PC card socket: no socket
// ever has a version tuple to give.
bool ReadSocketVersion(unsigned short, PcmciaTupleInfo*) { return false; }

}  // namespace tv::cardprobe
