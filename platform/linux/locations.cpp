#include "platform/locations.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/paths.h"

namespace tv {
namespace {

// user-dirs.dirs is a few lines; anything far larger is not one and is ignored whole.
constexpr std::streamsize kMaxUserDirsBytes = 64 * 1024;
const char kDocumentsKey[] = "XDG_DOCUMENTS_DIR";
const char kHomeVariable[] = "$HOME";

std::string HomeDir() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return "/";
}

// An XDG base folder from its variable; relative values are invalid and ignored.
std::string XdgBaseDir(const char* variable, const char* underHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    return JoinPath(HomeDir(), underHome);
}

std::string ExecutableFolder() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return std::string();
    const std::string folder = BeforeLastSeparator(std::string(buffer.data(), length));
    return folder.empty() ? std::string(1, kSeparator) : folder;
}

size_t SkipBlanks(const std::string& line, size_t pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    return pos;
}

// The quoted value of one line, undoing backslash escapes; false when the line is not a
// complete assignment of the documents key.
bool DocumentsValueOfLine(const std::string& line, std::string* value) {
    size_t pos = SkipBlanks(line, 0);
    if (line.compare(pos, sizeof kDocumentsKey - 1, kDocumentsKey) != 0) return false;
    pos = SkipBlanks(line, pos + sizeof kDocumentsKey - 1);
    if (pos >= line.size() || line[pos] != '=') return false;
    pos = SkipBlanks(line, pos + 1);
    if (pos >= line.size() || line[pos] != '"') return false;
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        if (line[pos] == '"') {
            *value = text;
            return true;
        }
        if (line[pos] == '\\' && pos + 1 < line.size()) ++pos;
        text += line[pos];
    }
    return false;
}

// "$HOME" or "$HOME/…" relative to home, or an absolute path; anything else is not a folder.
std::string ExpandUserDir(const std::string& value, const std::string& home) {
    const size_t homeLength = sizeof kHomeVariable - 1;
    if (value.compare(0, homeLength, kHomeVariable) == 0) {
        const std::string rest = value.substr(homeLength);
        if (rest.empty()) return home;
        if (rest.front() != kSeparator) return std::string();
        return JoinPath(home, rest);
    }
    return !value.empty() && value.front() == kSeparator ? value : std::string();
}

bool ReadSmallFile(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<char> buffer(kMaxUserDirsBytes + 1);
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::streamsize length = in.gcount();
    if (length > kMaxUserDirsBytes) return false;
    text->assign(buffer.data(), static_cast<size_t>(length));
    return true;
}

}  // namespace

std::string ProgramDirFor(const std::string& executableFolder) {
    if (!executableFolder.empty() && access(executableFolder.c_str(), W_OK) == 0 &&
        access(JoinPath(executableFolder, kSharedInstallMarker).c_str(), F_OK) != 0) {
        return executableFolder;
    }
    return JoinPath(UserDataDir(), "tessaravine");
}

std::string DefaultProgramDir() { return ProgramDirFor(ExecutableFolder()); }

std::string DefaultInstallDir() { return ExecutableFolder(); }

std::string DefaultConfigDir() {
    return JoinPath(XdgBaseDir("XDG_CONFIG_HOME", ".config"), "OstrelSystem");
}

std::string DocumentsDirFromUserDirs(const std::string& text, const std::string& home) {
    std::string found;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string value;
        if (DocumentsValueOfLine(text.substr(start, end - start), &value)) {
            const std::string folder = ExpandUserDir(value, home);
            if (!folder.empty()) found = folder;
        }
        start = end + 1;
    }
    return found;
}

std::string DefaultDocumentsDir() {
    const std::string home = HomeDir();
    std::string text;
    const std::string userDirs =
        JoinPath(XdgBaseDir("XDG_CONFIG_HOME", ".config"), "user-dirs.dirs");
    if (ReadSmallFile(userDirs, &text)) {
        const std::string folder = DocumentsDirFromUserDirs(text, home);
        if (!folder.empty()) return folder;
    }
    return JoinPath(home, "Documents");
}

std::string DefaultLockDir() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr && runtime[0] == '/' ? std::string(runtime) : FallbackLockDir();
}

std::string FallbackLockDir() {
    return JoinPath(XdgBaseDir("XDG_CACHE_HOME", ".cache"), "tessaravine");
}

Locations DefaultLocations() {
    const std::string installDir = DefaultInstallDir();
    return Locations{ProgramDirFor(installDir), installDir, DefaultConfigDir(),
                     DefaultDocumentsDir(), DefaultLockDir()};
}

std::string UserHomeDir() { return HomeDir(); }

std::string UserDataDir() { return XdgBaseDir("XDG_DATA_HOME", ".local/share"); }

bool EnsureFolder(const std::string& folder) {
    const std::string path = ToLocalPath(folder);
    if (path.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

bool EnsurePrivateFolder(const std::string& folder) {
    const std::string path = ToLocalPath(folder);
    if (path.empty()) return false;
    if (IsDirectory(path)) return true;
    const std::string parent = BeforeLastSeparator(path);
    if (!parent.empty() && !EnsurePrivateFolder(parent)) return false;
    return mkdir(path.c_str(), S_IRWXU) == 0 || (errno == EEXIST && IsDirectory(path));
}

}  // namespace tv
