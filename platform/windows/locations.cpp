// The program's folders on Windows: the program's own folder, the user's application data and
// documents folders from the shell, and folders made with the user's inherited access.
#include "platform/locations.h"

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace tv {
namespace {

// A known folder of the user's ("" when the shell has none).
std::string KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path) == S_OK) {
        folder = detail::ProgramPath(path);
    }
    CoTaskMemFree(path);
    return folder;
}

std::string ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return ContainingFolder(detail::ProgramPath(path));
}

// Whether the process may make files in folder: a probe file is made and removed.
bool IsWritableFolder(const std::string& folder) {
    std::string temporary;
    File probe;
    if (!probe.CreateTemporaryBeside(JoinPath(folder, "probe"), &temporary)) return false;
    probe.Close();
    DeleteFile(temporary);
    return true;
}

}  // namespace

std::string ProgramDirFor(const std::string& executableFolder) {
    if (!executableFolder.empty() && IsWritableFolder(executableFolder) &&
        !PathExists(JoinPath(executableFolder, kSharedInstallMarker))) {
        return executableFolder;
    }
    return JoinPath(UserDataDir(), "tessaravine");
}

std::string DefaultProgramDir() { return ProgramDirFor(ExecutableFolder()); }

std::string DefaultInstallDir() { return ExecutableFolder(); }

std::string DefaultConfigDir() {
    return JoinPath(KnownFolder(FOLDERID_RoamingAppData), "OstrelSystem");
}

std::string DefaultDocumentsDir() { return KnownFolder(FOLDERID_Documents); }

// The single instance is a named mutex: the lock folder is only where it would lie.
std::string DefaultLockDir() { return FallbackLockDir(); }

std::string FallbackLockDir() { return JoinPath(UserDataDir(), "tessaravine"); }

Locations DefaultLocations() {
    const std::string installDir = DefaultInstallDir();
    return Locations{ProgramDirFor(installDir), installDir, DefaultConfigDir(),
                     DefaultDocumentsDir(), DefaultLockDir()};
}

std::string UserHomeDir() { return KnownFolder(FOLDERID_Profile); }

std::string UserDataDir() { return KnownFolder(FOLDERID_LocalAppData); }

bool EnsureFolder(const std::string& path) {
    if (path.empty()) return false;
    if (IsDirectory(path)) return true;
    const std::string parent = BeforeLastSeparator(WithoutTrailingSeparators(path));
    if (!parent.empty() && parent.back() != ':' && !EnsureFolder(parent)) return false;
    return CreateFolder(path) || IsDirectory(path);
}

// Below the user's profile a new folder takes the profile's access list, which is the user's.
bool EnsurePrivateFolder(const std::string& path) { return EnsureFolder(path); }

}  // namespace tv
