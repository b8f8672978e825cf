#include "tests/support/test_world.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"

namespace tv::test {
namespace {

namespace fs = std::filesystem;

const char* const kWorldVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                       "XDG_RUNTIME_DIR",
#ifdef _WIN32
                                       // CardProbe.dll finds the drive table file below it.
                                       "APPDATA"
#endif
};

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
    fs::create_directories(fs::u8path(path), error);
    if (error) ADD_FAILURE() << "cannot create " << path << ": " << error.message();
}

#ifdef _WIN32
// The system's temporary folder, '/'-separated as the program's paths are.
std::string MakeTemporaryBase() {
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    for (unsigned attempt = 0; !error && attempt < 100; ++attempt) {
        const fs::path candidate =
            temporary / ("tessaravine-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(GetTickCount64()) + "-" + std::to_string(attempt));
        if (fs::create_directory(candidate, error)) return candidate.generic_u8string();
    }
    std::fprintf(stderr, "TestWorld: no temporary folder\n");
    std::abort();
}

void SetVariable(const char* name, const char* value) { _putenv_s(name, value ? value : ""); }

// Read-only files would keep remove_all from deleting them.
void MakeWritable(const fs::path& path) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end;
         it.increment(error)) {
        const DWORD attributes = GetFileAttributesW(it->path().c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            SetFileAttributesW(it->path().c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        }
    }
}

void MakePrivate(const std::string& /*folder*/) {}
#else
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

void SetVariable(const char* name, const char* value) {
    if (value) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
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

void MakePrivate(const std::string& folder) { chmod(folder.c_str(), 0700); }
#endif

}  // namespace

TestWorld::TestWorld()
    : base_(MakeTemporaryBase()),
      home_(HomeOf(base_)),
      locations_(WorldLocations(base_)),
      drives_(locations_.configDir) {
    const std::string values[kVariables] = {home_,
                                            ConfigHomeOf(base_),
                                            DataHomeOf(base_),
                                            CacheHomeOf(base_),
                                            RuntimeDirOf(base_),
#ifdef _WIN32
                                            ConfigHomeOf(base_)
#endif
    };
    static_assert(sizeof kWorldVariables / sizeof kWorldVariables[0] == kVariables);
    for (int i = 0; i < kVariables; ++i) {
        const char* old = std::getenv(kWorldVariables[i]);
        hadEnv_[i] = old != nullptr;
        if (old) savedEnv_[i] = old;
        MakeFolders(values[i]);
        SetVariable(kWorldVariables[i], values[i].c_str());
    }
    MakePrivate(RuntimeDirOf(base_));
    MakeFolders(JoinPath(locations_.programDir, "Log"));
    MakeFolders(locations_.configDir);
    MakeFolders(locations_.documentsDir);
    drives_.SetPinnedOnly(true);
}

TestWorld::~TestWorld() {
    for (int i = 0; i < kVariables; ++i) {
        SetVariable(kWorldVariables[i], hadEnv_[i] ? savedEnv_[i].c_str() : nullptr);
    }
    MakeWritable(fs::u8path(base_));
    std::error_code error;
    fs::remove_all(fs::u8path(base_), error);
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
