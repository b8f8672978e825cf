#include "tests/cardprobe/scratch_world.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/file_bytes.h"

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
    PutFileBytes(DriveFilePath(), FileBytes(DriveFilePath()) + line + "\r\n");
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

}  // namespace tv::test
