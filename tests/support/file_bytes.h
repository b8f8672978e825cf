// The raw bytes of a file, read and written with the standard library alone, so a test never
// checks a file through the code under test. Paths are UTF-8, on Windows too.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tv::test {

// The whole file; "" when it cannot be read.
inline std::string FileBytes(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file as another program or an earlier version left it.
inline void PutFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << bytes;
}

}  // namespace tv::test
