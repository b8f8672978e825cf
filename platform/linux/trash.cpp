// The freedesktop.org trash, moved into with descriptors: the entry is renamed from the folder
// held open into the trash's files folder, never reached by its path, and every trash folder
// on the volume is opened without following a link. (GIO's trash call takes only a path, which
// a link put on the way by another account could lead elsewhere.) The layout is the one every
// desktop reads: files/NAME and info/NAME.trashinfo, a taken name becoming "name.2.ext" and so
// on; the info file is written before the rename and removed when the rename fails.
#include "platform/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "platform/file_system.h"
#include "platform/locations.h"
#include "platform/network_paths.h"
#include "platform/paths.h"
#include "platform/posix/file_system_internal.h"
#include "platform/posix/unique_fd.h"

namespace tv {
namespace {

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// A name taken this often in one trash is not looked for further.
constexpr int kMaxNameTries = 10000;

// The trash's two folders, and how an info file's Path= names the entry: absolute in the home
// trash, else relative to the volume's top folder, from which top is the path down to the
// entry's folder. filesPath: where the files folder was reached.
struct TrashFolders {
    detail::UniqueFd files;
    detail::UniqueFd info;
    bool absolute = false;
    std::string top;
    std::string filesPath;
};

bool StatusOf(int fd, struct stat* st) { return fstat(fd, st) == 0; }

// The folder name below fd, made (0700) when missing; a link in its place is not opened.
detail::UniqueFd OpenOrMakeFolder(int fd, const char* name) {
    if (mkdirat(fd, name, 0700) != 0 && errno != EEXIST) return {};
    return detail::UniqueFd(openat(fd, name, kFolderFlags));
}

// A trash folder of a shared volume must be ours alone: anyone else could read what goes in.
detail::UniqueFd OpenOwnFolder(int fd, const char* name) {
    detail::UniqueFd folder = OpenOrMakeFolder(fd, name);
    struct stat st {};
    if (!folder.valid() || !StatusOf(folder.get(), &st) || st.st_uid != geteuid()) return {};
    return folder;
}

bool OpenFilesAndInfo(detail::UniqueFd trash, TrashFolders* folders) {
    if (!trash.valid()) return false;
    folders->files = OpenOrMakeFolder(trash.get(), "files");
    folders->info = OpenOrMakeFolder(trash.get(), "info");
    return folders->files.valid() && folders->info.valid();
}

bool OpenHomeTrash(TrashFolders* folders) {
    const std::string dataDir = UserDataDir();
    if (!EnsureFolder(dataDir)) return false;
    const detail::UniqueFd data(open(dataDir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    folders->absolute = true;
    folders->filesPath = JoinPath(JoinPath(dataDir, "Trash"), "files");
    return data.valid() && OpenFilesAndInfo(OpenOrMakeFolder(data.get(), "Trash"), folders);
}

// The top folder of the volume holding the folder fd, reached by climbing its real parents, and
// how many levels above fd it lies.
detail::UniqueFd OpenVolumeTop(int fd, int* levels) {
    detail::UniqueFd top(openat(fd, ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct stat here {};
    if (!top.valid() || !StatusOf(top.get(), &here)) return {};
    *levels = 0;
    for (;;) {
        detail::UniqueFd parent(openat(top.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        struct stat above {};
        if (!parent.valid() || !StatusOf(parent.get(), &above)) return {};
        if (above.st_dev != here.st_dev || above.st_ino == here.st_ino) return top;
        top = std::move(parent);
        here = above;
        ++*levels;
    }
}

// The shared .Trash/$uid when the volume has a real sticky .Trash, else .Trash-$uid; name: the
// path from top to the one opened.
detail::UniqueFd OpenVolumeTrash(int top, std::string* name) {
    const std::string uid = std::to_string(geteuid());
    const detail::UniqueFd shared(openat(top, ".Trash", kFolderFlags));
    struct stat st {};
    if (shared.valid() && StatusOf(shared.get(), &st) && (st.st_mode & S_ISVTX) != 0) {
        detail::UniqueFd own = OpenOwnFolder(shared.get(), uid.c_str());
        *name = JoinPath(".Trash", uid);
        if (own.valid()) return own;
    }
    *name = ".Trash-" + uid;
    return OpenOwnFolder(top, name->c_str());
}

// The last count components of path, joined as they stand.
std::string LastComponents(const std::string& path, int count) {
    size_t start = path.size();
    while (count-- > 0 && start > 0) {
        const size_t separator = path.rfind(kSeparator, start - 1);
        if (separator == std::string::npos) return path;
        start = separator;
    }
    return start < path.size() ? path.substr(start + 1) : std::string();
}

bool OpenVolumeTrashFor(int folder, const std::string& folderPath, TrashFolders* folders) {
    int levels = 0;
    const detail::UniqueFd top = OpenVolumeTop(folder, &levels);
    std::string trash;
    if (!top.valid() || !OpenFilesAndInfo(OpenVolumeTrash(top.get(), &trash), folders)) {
        return false;
    }
    folders->top = LastComponents(folderPath, levels);
    // The top folder's path is the folder's, less the levels climbed.
    const std::string topPath =
        folders->top.empty() ? folderPath
                             : folderPath.substr(0, folderPath.size() - folders->top.size() - 1);
    folders->filesPath = JoinPath(JoinPath(topPath.empty() ? "/" : topPath, trash), "files");
    return true;
}

// The home trash for an entry of the home volume (and no other: failing there, it is not put
// in a trash of the volume's top folder, which could be the system's), else the volume's own.
bool OpenTrashFor(int folder, const std::string& folderPath, const struct stat& entry,
                  TrashFolders* folders) {
    struct stat home {};
    if (stat(UserHomeDir().c_str(), &home) == 0 && home.st_dev == entry.st_dev) {
        return OpenHomeTrash(folders);
    }
    return OpenVolumeTrashFor(folder, folderPath, folders);
}

// A path as the info file holds it: every byte but letters, digits, "-._~" and the separator
// percent-encoded.
std::string EscapedPath(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == kSeparator;
        if (plain) {
            escaped += static_cast<char>(c);
        } else {
            escaped += '%';
            escaped += kHex[c >> 4];
            escaped += kHex[c & 0xF];
        }
    }
    return escaped;
}

std::string InfoText(const std::string& originalPath) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char date[32] = "";
    if (localtime_r(&now, &local) != nullptr) {
        std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    }
    return "[Trash Info]\nPath=" + EscapedPath(originalPath) + "\nDeletionDate=" + date + "\n";
}

// The try-th name for name in the trash: the name itself, then "name.2.ext", "name.3.ext" …
// with the number before the first dot.
std::string TrashName(const std::string& name, int attempt) {
    if (attempt == 1) return name;
    const size_t dot = name.find('.');
    const std::string number = "." + std::to_string(attempt);
    return dot == std::string::npos ? name + number
                                    : name.substr(0, dot) + number + name.substr(dot);
}

bool WriteNewFile(int folder, const std::string& name, const std::string& bytes) {
    const detail::UniqueFd fd(
        openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid()) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            unlinkat(folder, name.c_str(), 0);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes the info file under the first free name, then renames the entry to that name; a name
// taken in files/ without its info file is passed over, never replaced.
bool MoveInto(const TrashFolders& trash, int folder, const std::string& name,
              const std::string& info) {
    for (int attempt = 1; attempt <= kMaxNameTries; ++attempt) {
        const std::string trashName = TrashName(name, attempt);
        const std::string infoName = trashName + ".trashinfo";
        if (!WriteNewFile(trash.info.get(), infoName, info)) {
            if (errno == EEXIST) continue;
            return false;
        }
        if (detail::RenameIfFree(folder, name.c_str(), trash.files.get(), trashName.c_str())) {
            return true;
        }
        const int error = errno;
        unlinkat(trash.info.get(), infoName.c_str(), 0);
        if (error != EEXIST) return false;
    }
    return false;
}

}  // namespace

bool MoveEntryToTrash(const OpenFolder& folder, const std::string& name, std::string* trashFolder) {
    if (!folder.IsOpen() || name.empty() || name == "." || name == ".." ||
        name.find(kSeparator) != std::string::npos) {
        return false;
    }
    struct stat entry {};
    if (fstatat(folder.fd_, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) return false;
    const std::string folderPath = WithoutTrailingSeparators(ToLocalPath(folder.path()));
    TrashFolders trash;
    if (!OpenTrashFor(folder.fd_, folderPath, entry, &trash)) return false;
    const std::string original = trash.absolute      ? JoinPath(folderPath, name)
                                 : trash.top.empty() ? name
                                                     : JoinPath(trash.top, name);
    if (!MoveInto(trash, folder.fd_, name, InfoText(original))) return false;
    if (trashFolder != nullptr) *trashFolder = trash.filesPath;
    return true;
}

bool MoveToTrash(const std::string& path) {
    const std::string entry = WithoutTrailingSeparators(path);
    const std::string parent = ContainingFolder(entry);
    OpenFolder folder;
    return !entry.empty() && folder.OpenBelow(parent, parent) &&
           MoveEntryToTrash(folder, AfterLastSeparator(entry));
}

}  // namespace tv
