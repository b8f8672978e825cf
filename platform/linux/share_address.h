// The parts of a network path "//server/share/rest" and the address the network file system
// client mounts it by. Names that could make the address mean something else (a user or port
// hidden in the server, a share "..", control characters) are refused as a whole.
#pragma once

#include <string>

namespace tv {

struct ShareAddress {
    std::string server;
    std::string share;
};

// Splits a network path into its share and the rest ("" or "/..."). False when the path is no
// network path, names no share, or has a "." or ".." component below the share.
bool SplitNetworkPath(const std::string& path, ShareAddress* address, std::string* rest);
// "smb://server/share/" with the share name escaped.
std::string ShareUri(const ShareAddress& address);
// The key one share is known by: server and share names compare without regard to case.
std::string ShareKey(const ShareAddress& address);

}  // namespace tv
