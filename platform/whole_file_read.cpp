// Reading a whole file through File, the same on every system: in chunks to its end, so the
// size it claims beforehand is never trusted.
#include <string>
#include <utility>

#include "platform/file_system.h"

namespace tv {

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

}  // namespace tv
