// Mounting a network share: the portable face of the platform's network file system client.
// A share is named "//server/share"; the settings subsystem decides which credentials to try.
#pragma once

#include <string>

namespace tv {

struct ShareCredentials {
    std::string user;
    std::string password;
};

enum class MountResult {
    kMounted,         // mounted now
    kAlreadyMounted,  // it was mounted before this call
    kUnreachable,     // no such server or share
    kRefused,         // reached, but these credentials did not get in
};

class ShareMounter {
  public:
    virtual ~ShareMounter() = default;
    // credentials null: the current logon (anonymous or what the keyring already holds).
    virtual MountResult Mount(const std::string& share, const ShareCredentials* credentials) = 0;
    // false when the share could not be unmounted.
    virtual bool Unmount(const std::string& share) = 0;
};

}  // namespace tv
