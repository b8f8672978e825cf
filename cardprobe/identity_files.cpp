#include "cardprobe/identity_files.h"

#include <cstring>
#include <string_view>

#include "cardprobe/file_attributes.h"
#include "cardprobe/medium_file.h"
#include "cardprobe/small_file.h"

namespace tv::cardprobe {

namespace {

bool ReadIdentityFile(const std::string& path, std::size_t limit, std::string* bytes) {
    return ReadFilePrefix(path, limit, bytes, Links::kRefuse);
}

// Only 16 digits are a serial number: the program names the medium's backup folder after it,
// so any other text on a medium, however it got there, is no identity.
bool IsSerialText(std::string_view text) {
    if (text.size() != kSerialLength) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

void CopyTerminated(const std::string& bytes, char* buffer) {
    std::memcpy(buffer, bytes.data(), bytes.size());
    buffer[bytes.size()] = '\0';
}

}  // namespace

int ReadSerialNumber(const std::string& root, char* buffer) {
    std::string bytes;
    if (!ReadIdentityFile(root + kSerialFileName, kSerialLength, &bytes) || !IsSerialText(bytes)) {
        return 0;
    }
    CopyTerminated(bytes, buffer);
    return 1;
}

int WriteSerialNumber(const std::string& root, const char* serial) {
    const std::string_view text(serial, ::strnlen(serial, kSerialLength));
    if (!IsSerialText(text)) return 0;
    return WriteHiddenReadOnlyFile(root + kSerialFileName, text) ? 1 : 0;
}

int ReadCardName(const std::string& root, char* buffer) {
    std::string bytes;
    if (!ReadIdentityFile(root + kCardNameFileName, kMaxCardName, &bytes)) return 0;
    CopyTerminated(bytes, buffer);
    return 1;
}

int WriteCardName(const std::string& root, const char* text) {
    const std::string path = root + kCardNameFileName;
    // An older card name is read-only; it is made writable so that it can be replaced.
    SetNormal(path);
    return WriteHiddenReadOnlyFile(path, std::string_view(text, ::strnlen(text, kMaxCardName))) ? 1
                                                                                                : 0;
}

}  // namespace tv::cardprobe
