// A connection to a Unix-domain stream socket, as any process of the user's could make it.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>

#include <cstring>
#include <string>

#include "platform/posix/unique_fd.h"

namespace tv::test {

inline sockaddr_un UnixSocketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    return address;
}

// Not valid when nobody listens at path.
inline detail::UniqueFd ConnectUnixSocket(const std::string& path) {
    detail::UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_un address = UnixSocketAddress(path);
    if (connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        fd.Reset();
    }
    return fd;
}

// Leaves a socket file at path that nobody listens on, as a killed process leaves it.
inline bool LeaveDeadSocket(const std::string& path) {
    const detail::UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_un address = UnixSocketAddress(path);
    return bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

}  // namespace tv::test
