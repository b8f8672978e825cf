#include <sys/stat.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/file_system_internal.h"
#include "platform/file_system_replacement.h"
#include "platform/linux/network_paths.h"

namespace tv {
namespace {}  // namespace

bool ReadWholeFile(const std::string& path, std::string* bytes) {
    File file;
    if (!file.OpenForRead(path, false, true)) return false;
    std::string data;
    char buffer[64 * 1024];
    for (;;) {
        const int64_t n = file.Read(buffer, sizeof buffer);
        if (n < 0) return false;
        data.append(buffer, static_cast<size_t>(n));
        if (static_cast<size_t>(n) < sizeof buffer) break;
    }
    *bytes = std::move(data);
    return true;
}

bool WriteFileAtomically(const std::string& target, const std::string& bytes, unsigned mode) {
    const std::string path = ToLocalPath(target);
    if (detail::HasReadOnlyAttribute(path, false)) {
        errno = EACCES;
        return false;
    }
    detail::ReplacementFile out(path);
    return out.Create() && out.file().Write(bytes.data(), bytes.size()) && out.Finish() &&
           detail::SetModeWherePossible(out.temporaryPath(), mode & 0777) && out.Commit();
}

}  // namespace tv
