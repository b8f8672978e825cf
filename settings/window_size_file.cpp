#include "settings/window_size_file.h"

#include "platform/file_system.h"

namespace tv {

namespace {

constexpr size_t kMaxExtentDigits = 5;

// Reads a number of 1 to 5 digits without a leading zero from bytes at *at; nothing when the
// bytes there are not one or the number is out of range.
std::optional<int> ReadExtent(const std::string& bytes, size_t* at) {
    size_t end = *at;
    while (end < bytes.size() && bytes[end] >= '0' && bytes[end] <= '9') ++end;
    const size_t digits = end - *at;
    if (digits == 0 || digits > kMaxExtentDigits || bytes[*at] == '0') return std::nullopt;
    int value = 0;
    for (size_t index = *at; index < end; ++index) value = value * 10 + (bytes[index] - '0');
    if (value > kMaxWindowExtent) return std::nullopt;
    *at = end;
    return value;
}

bool IsLineEnd(const std::string& rest) { return rest.empty() || rest == "\n" || rest == "\r\n"; }

}  // namespace

std::optional<WindowSize> ParseWindowSize(const std::string& bytes) {
    if (bytes.size() > kMaxWindowSizeFileSize) return std::nullopt;
    size_t at = 0;
    const std::optional<int> width = ReadExtent(bytes, &at);
    if (!width || at >= bytes.size() || bytes[at] != ' ') return std::nullopt;
    ++at;
    const std::optional<int> height = ReadExtent(bytes, &at);
    if (!height || !IsLineEnd(bytes.substr(at))) return std::nullopt;
    return WindowSize{*width, *height};
}

std::string FormatWindowSize(WindowSize size) {
    return std::to_string(size.width) + " " + std::to_string(size.height) + "\r\n";
}

// Only a regular file is opened (a pipe in its place would hold up the dialog), and only one byte
// past the limit is read, so a huge file costs nothing and still counts as damaged.
std::optional<WindowSize> ReadWindowSizeFile(const std::string& path) {
    FileStatus status;
    if (!GetFileStatus(path, &status) || status.kind != EntryKind::File) return std::nullopt;
    File file;
    if (!file.OpenForRead(path, false, true)) return std::nullopt;
    char buffer[kMaxWindowSizeFileSize + 1];
    const int64_t count = file.Read(buffer, sizeof buffer);
    if (count < 0) return std::nullopt;
    return ParseWindowSize(std::string(buffer, static_cast<size_t>(count)));
}

bool WriteWindowSizeFile(const std::string& path, WindowSize size) {
    if (size.width < 1 || size.height < 1 || size.width > kMaxWindowExtent ||
        size.height > kMaxWindowExtent) {
        return false;
    }
    return WriteFileAtomically(path, FormatWindowSize(size));
}

}  // namespace tv
