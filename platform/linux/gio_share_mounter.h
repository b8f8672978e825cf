// Mounts SMB shares through GIO's network file system client ("//server/share" as
// smb://server/share), without root and without any program of our own in between: the user
// and password go to the client only as the answer to its password question, never through a
// command line, an environment or a log. A mounted share is reached through ToLocalPath.
#pragma once

#include <chrono>

#include "platform/share_mounter.h"

namespace tv {

class GioShareMounter final : public ShareMounter {
  public:
    // A mount or unmount that has not ended after timeout is given up: the share counts as
    // unreachable, or as not unmounted.
    explicit GioShareMounter(std::chrono::milliseconds timeout = std::chrono::seconds(30))
        : timeout_(timeout) {}

    MountResult Mount(const std::string& share, const ShareCredentials* credentials) override;
    bool Unmount(const std::string& share) override;

  private:
    std::chrono::milliseconds timeout_;
};

}  // namespace tv
