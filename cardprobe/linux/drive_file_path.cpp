#include "cardprobe/linux/drive_file_path.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace tv::cardprobe {

namespace {

// HOME, else the home folder the user database names, as the program finds it.
std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home);
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] == '/') {
        return std::string(found->pw_dir);
    }
    return std::string();
}

std::string ConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return std::string(xdg);
    const std::string home = HomeFolder();
    return home.empty() ? home : home + "/.config";
}

}  // namespace

std::string DefaultDriveFilePath() {
    const std::string config = ConfigFolder();
    if (config.empty()) return config;
    return config + "/OstrelSystem/drives.tsv";
}

}  // namespace tv::cardprobe
