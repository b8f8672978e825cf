// Pieces shared by the files that implement file_system.h: the kernel's view of one node and
// its translation into Windows attributes. Not for use outside platform/.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/file_system.h"

namespace tv::detail {

// The kernel reads a few out-of-range nanosecond values as "now" or "leave alone"; a stored
// time must never turn into either.
inline bool IsValidTime(const FileTime& t) {
    return t.nanoseconds >= 0 && t.nanoseconds <= 999999999;
}

inline struct timespec ToTimespec(const FileTime& t) {
    struct timespec ts {};
    ts.tv_sec = static_cast<time_t>(t.seconds);
    ts.tv_nsec = t.nanoseconds;
    return ts;
}

// Gives path the permission bits of mode. A file system that keeps no permissions of its own
// (vfat, a network share seen through a FUSE client that refuses them) counts as done: the
// server or the mount decides them there.
bool SetModeWherePossible(const std::string& path, mode_t mode);

// What the kernel reports of one node, before it is put in Windows terms.
struct NodeStatus {
    mode_t mode = 0;
    uint64_t size = 0;
    FileTime creation;  // birth time when the file system keeps one, else the change time
    FileTime lastAccess;
    FileTime lastWrite;
    dev_t device = 0;
    uint64_t inode = 0;
    bool mountRoot = false;  // the node is the root of a mount (bind mounts included)
};

// Status of path, relative to dirFd (AT_FDCWD for an ordinary path). With followLinks false a
// symbolic link is reported as itself.
bool ReadNodeStatus(int dirFd, const char* path, bool followLinks, NodeStatus* status);

// The entry name of a path: the text after the last separator, trailing separators ignored.
std::string NameOfPath(const std::string& path);

// Attributes where the file system keeps none of its own: read-only is the owner write bit,
// hidden a leading '.', directory for folders, normal when nothing else applies to a file.
uint32_t AttributesFromMode(mode_t mode, const std::string& name);
// Attributes of a node whose status is known: the FAT attributes when the node is on vfat and
// they can be read, else AttributesFromMode.
uint32_t NodeAttributes(int dirFd, const char* path, const std::string& name,
                        const NodeStatus& status, bool onFat);
// True when path exists and carries the read-only attribute. Writes through a link follow it;
// deleting or replacing a link concerns the link itself.
bool HasReadOnlyAttribute(const std::string& path, bool followLinks);

FileIdentity IdentityOf(const struct stat& st);

// Renames from (relative to fromDir) to to (relative to toDir) unless something has that name
// already: false, with errno EEXIST, then.
bool RenameIfFree(int fromDir, const char* from, int toDir, const char* to);

FileStatus MakeFileStatus(const std::string& name, const NodeStatus& status, uint32_t attributes);

// The FAT ioctls, kept apart because they can only run on a real vfat mount.
bool IsFatFileSystem(int fd);
bool IsFatFileSystemAt(const std::string& path);
// The same questions of a node whose device is known: answered once per volume while a
// VolumeKindScope lives.
bool IsFatVolume(int fd, uint64_t device);
bool IsFatVolumeAt(const std::string& path, uint64_t device);
bool ReadFatAttributes(int dirFd, const char* path, uint32_t* attributes);
bool ReadFatAttributesOf(int fd, uint32_t* attributes);
bool WriteFatAttributes(int fd, uint32_t attributes);

}  // namespace tv::detail
