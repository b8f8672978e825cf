// Reading and writing the raw bytes of log files in tests, independent of the code under test.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace tv::test {

inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void PutFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace tv::test
