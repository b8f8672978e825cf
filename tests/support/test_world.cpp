#include "tests/support/test_world.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"

namespace tv::test {
namespace {

namespace fs = std::filesystem;

const char* const kWorldVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                       "XDG_RUNTIME_DIR"};

// A world without its own folder would write into real folders, so it stops the test program.
std::string MakeTemporaryBase() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = JoinPath(tmp && *tmp ? tmp : "/tmp", "tessaravine-test-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("TestWorld: mkdtemp");
        std::abort();
    }
    return pattern;
}

std::string HomeOf(const std::string& base) { return JoinPath(base, "home"); }
std::string ConfigHomeOf(const std::string& base) { return JoinPath(HomeOf(base), ".config"); }
std::string DataHomeOf(const std::string& base) { return JoinPath(HomeOf(base), ".local/share"); }
std::string CacheHomeOf(const std::string& base) { return JoinPath(HomeOf(base), ".cache"); }
std::string RuntimeDirOf(const std::string& base) { return JoinPath(base, "runtime"); }

Locations WorldLocations(const std::string& base) {
    Locations locations;
    locations.programDir = JoinPath(base, "program");
    // As in an install for one user: the installed files lie among the data files.
    locations.installDir = locations.programDir;
    locations.configDir = JoinPath(ConfigHomeOf(base), "OstrelSystem");
    locations.documentsDir = JoinPath(HomeOf(base), "Documents");
    locations.lockDir = RuntimeDirOf(base);
    return locations;
}

void MakeFolders(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    if (error) ADD_FAILURE() << "cannot create " << path << ": " << error.message();
}

// Read-only files and folders would keep remove_all from deleting what is inside them.
void MakeWritable(const fs::path& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || S_ISLNK(st.st_mode)) return;
    if (S_ISDIR(st.st_mode)) {
        chmod(path.c_str(), st.st_mode | S_IRWXU);
        std::error_code error;
        for (fs::directory_iterator it(path, error), end; !error && it != end;
             it.increment(error)) {
            MakeWritable(it->path());
        }
    } else {
        chmod(path.c_str(), st.st_mode | S_IWUSR);
    }
}

}  // namespace

TestWorld::TestWorld()
    : base_(MakeTemporaryBase()),
      home_(HomeOf(base_)),
      locations_(WorldLocations(base_)),
      drives_(locations_.configDir) {
    const std::string values[kVariables] = {home_, ConfigHomeOf(base_), DataHomeOf(base_),
                                            CacheHomeOf(base_), RuntimeDirOf(base_)};
    static_assert(sizeof kWorldVariables / sizeof kWorldVariables[0] == kVariables);
    for (int i = 0; i < kVariables; ++i) {
        const char* old = std::getenv(kWorldVariables[i]);
        hadEnv_[i] = old != nullptr;
        if (old) savedEnv_[i] = old;
        MakeFolders(values[i]);
        setenv(kWorldVariables[i], values[i].c_str(), 1);
    }
    chmod(RuntimeDirOf(base_).c_str(), 0700);
    MakeFolders(JoinPath(locations_.programDir, "Log"));
    MakeFolders(locations_.configDir);
    MakeFolders(locations_.documentsDir);
    drives_.SetPinnedOnly(true);
}

TestWorld::~TestWorld() {
    for (int i = 0; i < kVariables; ++i) {
        if (hadEnv_[i]) {
            setenv(kWorldVariables[i], savedEnv_[i].c_str(), 1);
        } else {
            unsetenv(kWorldVariables[i]);
        }
    }
    MakeWritable(base_);
    std::error_code error;
    fs::remove_all(base_, error);
    if (error) ADD_FAILURE() << "cannot remove " << base_ << ": " << error.message();
}

std::string TestWorld::AddDrive(char letter, int type, std::optional<uint32_t> serial,
                                const std::string& label, std::optional<uint64_t> freeBytes) {
    const std::string folder = MakeFolder(std::string("drive_") + letter);
    DriveInfo drive;
    drive.letter = letter;
    drive.type = type;
    drive.root = WithTrailingSeparator(folder);
    drive.hasSerial = serial.has_value();
    drive.serial = serial.value_or(0);
    drive.label = label;
    drive.pinned = true;
    drive.freeBytes = freeBytes;
    drives_.Pin(drive);
    return drives_.RootOf(letter);
}

std::string TestWorld::MakeFolder(const std::string& name) {
    const std::string folder = JoinPath(base_, name);
    MakeFolders(folder);
    return folder;
}

std::string TestWorld::TrashFiles() const { return JoinPath(DataHomeOf(base_), "Trash/files"); }

std::string TestWorld::TrashInfo() const { return JoinPath(DataHomeOf(base_), "Trash/info"); }

}  // namespace tv::test
