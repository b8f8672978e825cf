// What the built program leaves in its folders, read by the tests that start it.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>

#include "platform/file_system.h"

namespace tv::test {

// How many times part occurs in text, overlaps counted.
inline int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

inline std::string Bytes(const std::string& path) {
    std::string bytes;
    ReadWholeFile(path, &bytes);
    return bytes;
}

// Whether an entry below folder has a name that holds part.
inline bool HoldsNameWith(const std::string& folder, const std::string& part) {
    namespace fs = std::filesystem;
    if (!fs::is_directory(folder)) return false;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.path().filename().string().find(part) != std::string::npos) return true;
    }
    return false;
}

// Whether a line of some file below folder holds both texts.
inline bool SomeLineHolds(const std::string& folder, const std::string& text,
                          const std::string& other) {
    namespace fs = std::filesystem;
    if (!fs::is_directory(folder)) return false;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::istringstream lines(Bytes(entry.path()));
        for (std::string line; std::getline(lines, line);) {
            if (line.find(text) != std::string::npos && line.find(other) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace tv::test
