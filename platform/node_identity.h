// Which file system object a path names: its device and inode. Two paths with one identity are
// the same folder, however they are spelled (links, bind mounts).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tv {

struct NodeIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool operator==(const NodeIdentity& o) const { return device == o.device && inode == o.inode; }
    bool operator!=(const NodeIdentity& o) const { return !(*this == o); }
};

// The identity of what opening path reaches (links followed); false when it cannot be looked at.
bool GetNodeIdentity(const std::string& path, NodeIdentity* identity);

// The identities of the nearest folder at or above path that exists, then of each folder above
// it up to the root, as the kernel climbs them: the real parents, whatever links or bind mounts
// the path went through. False when not even the root can be looked at.
bool GetAncestorIdentities(const std::string& path, std::vector<NodeIdentity>* chain);

}  // namespace tv
