#include "tests/cardprobe/scratch_world.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tv::test {

ScratchWorld::ScratchWorld() {
    std::string pattern = (std::filesystem::temp_directory_path() / "cardprobe-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "no temporary folder";
    base_ = pattern;
    if (const char* saved = std::getenv("XDG_CONFIG_HOME")) {
        hadConfigHome_ = true;
        savedConfigHome_ = saved;
    }
    ::setenv("XDG_CONFIG_HOME", (base_ + "/config").c_str(), 1);
    MakeFolder("config/OstrelSystem");
}

ScratchWorld::~ScratchWorld() {
    if (hadConfigHome_) {
        ::setenv("XDG_CONFIG_HOME", savedConfigHome_.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
    std::error_code ignored;
    std::filesystem::remove_all(base_, ignored);
}

std::string ScratchWorld::DriveFilePath() const {
    return base_ + "/config/OstrelSystem/drives.tsv";
}

void ScratchWorld::AddDriveLine(const std::string& line) {
    std::ofstream(DriveFilePath(), std::ios::binary | std::ios::app) << line << "\r\n";
}

std::string ScratchWorld::AddDrive(char letter, int type, const std::string& device) {
    const std::string root = MakeFolder(std::string("drive_") + letter) + "/";
    AddDriveLine(std::string(1, letter) + "\t" + std::to_string(type) + "\t" + root + "\t-\t\t" +
                 device + "\tpinned");
    return root;
}

std::string ScratchWorld::MakeFolder(const std::string& name) const {
    const std::string path = base_ + "/" + name;
    std::filesystem::create_directories(path);
    return path;
}

void ScratchWorld::WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ScratchWorld::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tv::test
