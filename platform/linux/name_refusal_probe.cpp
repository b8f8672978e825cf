#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/name_refusals.h"
#include "platform/network_paths.h"
#include "platform/posix/unique_fd.h"

namespace tv {

namespace {

// File systems that hold every name but "", ".", ".." and one with a '/' or a NUL.
constexpr unsigned long kPosixFileSystems[] = {
    EXT4_SUPER_MAGIC,     XFS_SUPER_MAGIC,        BTRFS_SUPER_MAGIC,
    TMPFS_MAGIC,          F2FS_SUPER_MAGIC,       OVERLAYFS_SUPER_MAGIC,
    REISERFS_SUPER_MAGIC, 0x3153464aUL /* jfs */, 0x2fc12fc1UL /* zfs */,
};

constexpr int kProbeFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// How a driver answers a name it will not hold, as against a folder it cannot write into (no
// room, no permission, read-only). exFAT answers ENOENT in a folder that is there.
bool IsNameRefusal(int error) {
    return error == EINVAL || error == EPERM || error == ENOENT || error == ENAMETOOLONG ||
           error == EILSEQ;
}

// The names the open folder lists, "." and ".." left out.
std::vector<std::string> NamesIn(int folderFd) {
    std::vector<std::string> names;
    const int fd = openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd >= 0 ? fdopendir(fd) : nullptr;
    if (dir == nullptr) {
        if (fd >= 0) close(fd);
        return names;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    return names;
}

// Removes every file and link of the open folder; folders in it stay.
void RemoveFilesIn(int folderFd) {
    for (const std::string& name : NamesIn(folderFd)) unlinkat(folderFd, name.c_str(), 0);
}

enum class Answer { Held, Refused, Unknown };

// Makes a file of that name in the probe folder and removes it again. A name the driver keeps
// under another (vfat drops a trailing dot) is not held either.
Answer Try(int probeFd, const std::string& name) {
    const int fd =
        openat(probeFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return IsNameRefusal(errno) ? Answer::Refused : Answer::Unknown;
    close(fd);
    const std::vector<std::string> listed = NamesIn(probeFd);
    RemoveFilesIn(probeFd);
    return listed.size() == 1 && listed[0] == name ? Answer::Held : Answer::Refused;
}

// Tries a name of every kind in the probe folder; false when some answer tells nothing of the
// name, such as a full disk, or a plain name is not held.
bool Probe(int probeFd, NameRefusals* refusals) {
    if (Try(probeFd, "x") != Answer::Held) return false;
    bool known = true;
    const auto refused = [&](const std::string& name) {
        const Answer answer = Try(probeFd, name);
        known = known && answer != Answer::Unknown;
        return answer == Answer::Refused;
    };
    for (int c = 1; known && c < 128; ++c) {
        if (IsMappableCharacter(static_cast<char>(c))) {
            refusals->characters[c] = refused(std::string("x") + static_cast<char>(c));
        }
    }
    refusals->trailingDot = refused("x.");
    refusals->trailingSpace = refused("x ");
    refusals->deviceNames = refused("CON");
    refusals->nonAscii = refused("x\xC3\xA9");  // "xé"
    return known;
}

bool IsSameNode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The probe folder is still the one made: nothing removed or swapped it while it was tried,
// which would make every name look refused.
bool IsStillThere(int folderFd, const std::string& name, const struct stat& made) {
    struct stat now {};
    return fstatat(folderFd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && IsSameNode(now, made);
}

}  // namespace

bool HoldsEveryName(const std::string& folder) {
    struct statfs fs {};
    if (statfs(ToLocalPath(folder).c_str(), &fs) != 0) return false;
    for (unsigned long type : kPosixFileSystems) {
        if (static_cast<unsigned long>(fs.f_type) == type) return true;
    }
    return false;
}

NameRefusals FindNameRefusals(const OpenFolder& folder, const std::string& probeName) {
    if (!folder.IsOpen() || mkdirat(folder.fd_, probeName.c_str(), 0700) != 0) return {};
    NameRefusals refusals;
    {
        const detail::UniqueFd probe(openat(folder.fd_, probeName.c_str(), kProbeFolderFlags));
        struct stat made {};
        if (!probe.valid() || fstat(probe.get(), &made) != 0 || !Probe(probe.get(), &refusals) ||
            !IsStillThere(folder.fd_, probeName, made)) {
            refusals = {};
        }
    }
    RemoveNameProbe(folder, probeName);
    return refusals;
}

bool RemoveNameProbe(const OpenFolder& folder, const std::string& name) {
    struct stat entry {};
    if (!folder.IsOpen() || fstatat(folder.fd_, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISDIR(entry.st_mode)) {
        return false;
    }
    {
        const detail::UniqueFd probe(openat(folder.fd_, name.c_str(), kProbeFolderFlags));
        struct stat opened {};
        if (!probe.valid() || fstat(probe.get(), &opened) != 0 || !IsSameNode(opened, entry)) {
            return false;
        }
        RemoveFilesIn(probe.get());
    }
    return unlinkat(folder.fd_, name.c_str(), AT_REMOVEDIR) == 0;
}

}  // namespace tv
