#include "cardprobe/medium_file.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include "cardprobe/file_attributes.h"
#include "cardprobe/windows/wide_text.h"

namespace tv::cardprobe {

namespace {

// Unique among the writers running at once: one per thread of one process.
std::string TemporaryNameFor(const std::string& path) {
    return path + ".~" + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(::GetCurrentThreadId());
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t left = bytes.size() - written;
        const unsigned chunk = left > (1u << 30) ? (1u << 30) : static_cast<unsigned>(left);
        const int done = ::_write(fd, bytes.data() + written, chunk);
        if (done <= 0) return false;
        written += static_cast<std::size_t>(done);
    }
    return true;
}

// Fills the new file completely; it must be on the medium before it takes the target's name,
// or a medium pulled out at the wrong moment could keep an empty identity file.
bool FillNewFile(const std::string& temporary, std::string_view bytes) {
    const int fd = ::_wopen(WidePath(temporary).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                            _S_IREAD | _S_IWRITE);
    if (fd < 0) return false;
    const bool filled = WriteAll(fd, bytes) && ::_commit(fd) == 0 && SetHiddenReadOnly(fd);
    return ::_close(fd) == 0 && filled;
}

// The new file is read-only once filled, and Windows deletes no read-only file.
void RemoveNewFile(const std::string& temporary) {
    const std::wstring wide = WidePath(temporary);
    ::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(wide.c_str());
}

}  // namespace

bool WriteHiddenReadOnlyFile(const std::string& path, std::string_view bytes) {
    if (RefusesWriting(path)) return false;
    const std::string temporary = TemporaryNameFor(path);
    if (FillNewFile(temporary, bytes) &&
        ::MoveFileExW(WidePath(temporary).c_str(), WidePath(path).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    RemoveNewFile(temporary);
    return false;
}

}  // namespace tv::cardprobe
