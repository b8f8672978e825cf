#include <fcntl.h>
#include <stdlib.h>

#include <vector>

#include "platform/file_system.h"
#include "platform/linux/network_paths.h"
#include "platform/paths.h"

namespace tv {
namespace {

// Room left in a 255-byte name for the leading dot, the marker and the random part.
constexpr size_t kMaxBaseBytes = 200;

// The first maxBytes bytes at most of a UTF-8 name, without splitting a character.
std::string ShortenedName(const std::string& name, size_t maxBytes) {
    if (name.size() <= maxBytes) return name;
    size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    return name.substr(0, cut);
}

}  // namespace

bool File::CreateTemporaryBeside(const std::string& target, std::string* temporaryPath) {
    Close();
    // An unreachable network path must not turn into a file in the current folder.
    const std::string path = ToLocalPath(target);
    if (path.empty()) return false;
    const std::string pattern =
        JoinPath(ContainingFolder(path),
                 "." + ShortenedName(AfterLastSeparator(path), kMaxBaseBytes) + ".tvXXXXXX");
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return false;
    fd_ = fd;
    *temporaryPath = name.data();
    return true;
}

}  // namespace tv
