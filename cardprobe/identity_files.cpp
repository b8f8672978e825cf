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

void CopyTerminated(const std::string& bytes, char* buffer) {
    std::memcpy(buffer, bytes.data(), bytes.size());
    buffer[bytes.size()] = '\0';
}

}  // namespace

int ReadSerialNumber(const std::string& root, char* buffer) {
    std::string bytes;
    if (!ReadIdentityFile(root + kSerialFileName, kSerialLength, &bytes) ||
        bytes.size() != kSerialLength) {
        return 0;
    }
    CopyTerminated(bytes, buffer);
    return 1;
}

int WriteSerialNumber(const std::string& root, const char* serial) {
    if (::strnlen(serial, kSerialLength) != kSerialLength) return 0;
    return WriteHiddenReadOnlyFile(root + kSerialFileName, std::string_view(serial, kSerialLength))
               ? 1
               : 0;
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
