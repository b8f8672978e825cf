// Parser for the kernel's mount table (/proc/self/mountinfo).
#pragma once

#include <string>
#include <vector>

namespace tv {

struct MountEntry {
    int mountId = 0;
    int parentId = 0;
    unsigned major = 0;
    unsigned minor = 0;
    std::string root;        // the folder of the file system that is mounted (bind mounts: not "/")
    std::string mountPoint;  // with the octal escapes (\040 …) decoded
    std::string fsType;
    std::string source;  // the device, such as "/dev/sdb1"
};

// Reads the whole table; lines that do not have the expected fields are skipped.
std::vector<MountEntry> ParseMountinfo(const std::string& text);

// The type of the file system mounted from the device major:minor (its bind mounts share it);
// empty when no entry has that device.
std::string FileSystemTypeOfDevice(const std::vector<MountEntry>& entries, unsigned major,
                                   unsigned minor);

// Decodes the three-digit octal escapes the kernel writes for blanks, tabs, newlines and '\'.
std::string UnescapeMountField(const std::string& field);

// File systems that live on a block device and so can be a drive.
bool IsBlockFileSystem(const std::string& fsType);
// Network file systems (cifs, smb3, nfs, nfs4, fuse.sshfs).
bool IsNetworkFileSystem(const std::string& fsType);

}  // namespace tv
