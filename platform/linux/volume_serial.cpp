#include "platform/linux/volume_serial.h"

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>

#include <cctype>

#include "platform/posix/unique_fd.h"

namespace tv {

bool SerialFromUuid(const std::string& uuid, uint32_t* serial) {
    uint32_t value = 0;
    int digits = 0;
    for (const char c : uuid) {
        if (c == '-') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        value = (value << 4) | static_cast<uint32_t>(digit);
        if (++digits == 8) {
            *serial = value;
            return true;
        }
    }
    return false;
}

bool FatVolumeSerial(const std::string& mountRoot, uint32_t* serial) {
    const detail::UniqueFd root(::open(mountRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    uint32_t id = 0;
    if (!root.valid() || ::ioctl(root.get(), FAT_IOCTL_GET_VOLUME_ID, &id) != 0) return false;
    *serial = id;
    return true;
}

}  // namespace tv
