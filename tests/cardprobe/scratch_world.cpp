#include "tests/cardprobe/scratch_world.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "tests/support/file_bytes.h"

namespace tv::test {

namespace {

std::string NewTemporaryFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / ("cardprobe-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) return folder.string();
    }
    ADD_FAILURE() << "no temporary folder";
    return std::string();
}

// The parent of the program's config folder.
#ifdef _WIN32
constexpr const char* kConfigHome = "APPDATA";
#else
constexpr const char* kConfigHome = "XDG_CONFIG_HOME";
#endif

// The Windows C runtime has no setenv; an empty value there removes the variable.
void SetConfigHome(const char* value) {
#ifdef _WIN32
    ::_putenv_s(kConfigHome, value == nullptr ? "" : value);
#else
    if (value == nullptr) {
        ::unsetenv(kConfigHome);
    } else {
        ::setenv(kConfigHome, value, 1);
    }
#endif
}

}  // namespace

ScratchWorld::ScratchWorld() : base_(NewTemporaryFolder()) {
    if (const char* saved = std::getenv(kConfigHome)) {
        hadConfigHome_ = true;
        savedConfigHome_ = saved;
    }
    SetConfigHome((base_ + "/config").c_str());
    MakeFolder("config/OstrelSystem");
}

ScratchWorld::~ScratchWorld() {
    SetConfigHome(hadConfigHome_ ? savedConfigHome_.c_str() : nullptr);
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
