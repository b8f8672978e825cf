// Connects to SMB shares through the system's network client (WNetAddConnection2W), without a
// drive letter: "//server/share" is then reached by its own name. The user and password go to
// the call alone, never to a command line, an environment or a log.
#pragma once

#include <cstdint>

#include "platform/share_mounter.h"

namespace tv {

// What an error of the network calls means for a connection: refused credentials, a connection
// of this logon that exists already, or anything else, which leaves the share unreachable.
MountResult MountResultOf(uint32_t networkError);

class WNetShareMounter final : public ShareMounter {
  public:
    MountResult Mount(const std::string& share, const ShareCredentials* credentials) override;
    bool Unmount(const std::string& share) override;
};

}  // namespace tv
