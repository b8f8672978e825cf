// Reading and writing the program's line-oriented text files.
#include "platform/text_file.h"

#include "platform/file_system.h"

namespace tv {
namespace {

constexpr const char* kLineEnd = "\r\n";

}  // namespace

std::vector<std::string> SplitTextLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) end = bytes.size();
        // Only the CR of a CR LF pair ends a line; a lone CR elsewhere belongs to the text.
        if (end > start && end < bytes.size() && bytes[end - 1] == '\r') --end;
        lines.push_back(DecodeLine(bytes.substr(start, end - start)));
        start = next;
    }
    return lines;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>* lines) {
    std::string bytes;
    if (!ReadWholeFile(path, &bytes)) return false;
    *lines = SplitTextLines(bytes);
    return true;
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + kLineEnd;
    return WriteFileAtomically(path, bytes);
}

bool AppendTextLine(const std::string& path, const std::string& line) {
    File file;
    if (!file.OpenForAppend(path, false)) return false;
    // One write call, so lines appended by two writers never interleave.
    const std::string bytes = line + kLineEnd;
    return file.AppendWhole(bytes.data(), bytes.size());
}

}  // namespace tv
