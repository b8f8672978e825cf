#include "platform/windows/wnet_share_mounter.h"

#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"
// The network calls need the Win32 types first.
#include <winnetwk.h>

namespace tv {
namespace {

// "//server/share" as the network calls take it: "\\server\share", with no long-path prefix.
std::wstring RemoteName(const std::string& share) {
    std::wstring name = detail::WideFromUtf8(share);
    for (wchar_t& c : name) {
        if (c == L'/') c = L'\\';
    }
    return name;
}

}  // namespace

MountResult MountResultOf(uint32_t networkError) {
    switch (networkError) {
        case NO_ERROR:
            return MountResult::kMounted;
        // A connection of this logon to the server exists already, with its own credentials.
        case ERROR_ALREADY_ASSIGNED:
        case ERROR_SESSION_CREDENTIAL_CONFLICT:
            return MountResult::kAlreadyMounted;
        case ERROR_ACCESS_DENIED:
        case ERROR_LOGON_FAILURE:
        case ERROR_INVALID_PASSWORD:
        case ERROR_ACCOUNT_DISABLED:
        case ERROR_ACCOUNT_RESTRICTION:
        case ERROR_PASSWORD_EXPIRED:
            return MountResult::kRefused;
        default:  // no such server or share, no network, no client
            return MountResult::kUnreachable;
    }
}

MountResult WNetShareMounter::Mount(const std::string& share, const ShareCredentials* credentials) {
    std::wstring remote = RemoteName(share);
    NETRESOURCEW resource{};
    resource.dwType = RESOURCETYPE_DISK;
    resource.lpRemoteName = remote.data();
    std::wstring user;
    std::wstring password;
    if (credentials != nullptr) {
        user = detail::WideFromUtf8(credentials->user);
        password = detail::WideFromUtf8(credentials->password);
    }
    const DWORD error = WNetAddConnection2W(&resource, credentials ? password.c_str() : nullptr,
                                            credentials ? user.c_str() : nullptr, 0);
    SecureZeroMemory(password.data(), password.size() * sizeof(wchar_t));
    return MountResultOf(error);
}

bool WNetShareMounter::Unmount(const std::string& share) {
    return WNetCancelConnection2W(RemoteName(share).c_str(), 0, TRUE) == NO_ERROR;
}

}  // namespace tv
