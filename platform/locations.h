// The folders the program works in. They are computed once at start-up and handed to every
// store through its constructor, so tests can point them at temporary folders.
#pragma once

#include <string>

namespace tv {

struct Locations {
    std::string programDir;    // the system's own data files (Log, sch.dat, Decision.txt …)
    std::string installDir;    // what is installed with the program: libraries, voice, help
    std::string configDir;     // the registry file and drives.tsv
    std::string documentsDir;  // the user's documents folder
    std::string lockDir;       // where the single-instance lock file lives
};

// An install shared by every user of the machine (the Debian package's) holds this file beside
// the program: its folder then holds nobody's data, not even root's, who can write it.
inline constexpr const char* kSharedInstallMarker = "shared-install";

// ProgramDirFor the folder of the running executable.
std::string DefaultProgramDir();
// The folder of the running executable, symbolic links resolved.
std::string DefaultInstallDir();
// $XDG_CONFIG_HOME/OstrelSystem (default ~/.config/OstrelSystem).
std::string DefaultConfigDir();
// The XDG documents folder (~/.config/user-dirs.dirs), else ~/Documents.
std::string DefaultDocumentsDir();
// $XDG_RUNTIME_DIR when it is absolute, else FallbackLockDir().
std::string DefaultLockDir();
// $XDG_CACHE_HOME/tessaravine (default ~/.cache/tessaravine): a folder below the user's home,
// which no other account can make first, as it could in the shared /tmp.
std::string FallbackLockDir();
Locations DefaultLocations();

// The program directory for an executable in executableFolder: that folder when it is
// writable and not a shared install (an install for one user keeps everything together), else
// $XDG_DATA_HOME/tessaravine.
std::string ProgramDirFor(const std::string& executableFolder);
// The documents folder named by the text of a user-dirs.dirs file (XDG_DOCUMENTS_DIR="…",
// "$HOME/…" or an absolute path, the last valid line wins); "" when the text names none.
std::string DocumentsDirFromUserDirs(const std::string& text, const std::string& home);

// The user's home folder: $HOME when it is absolute, else the account's.
std::string UserHomeDir();
// $XDG_DATA_HOME when it is absolute, else ~/.local/share.
std::string UserDataDir();

// Creates a folder and its missing parents; true when it exists afterwards.
bool EnsureFolder(const std::string& path);
// EnsureFolder for the program's own files: every folder it makes is private to the user
// (folders that exist already are left as they are).
bool EnsurePrivateFolder(const std::string& path);

}  // namespace tv
