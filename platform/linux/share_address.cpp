#include "platform/linux/share_address.h"

#include <glib.h>

#include <algorithm>

#include "platform/linux/glib_owners.h"
#include "platform/paths.h"

namespace tv {
namespace {

// Windows allows 80 characters in a share name; host names are at most 253 bytes.
constexpr size_t kMaxShareBytes = 240;
constexpr size_t kMaxServerBytes = 253;

bool IsDotName(const std::string& name) { return name == "." || name == ".."; }

bool IsServerCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_';
}

bool IsValidServer(const std::string& server) {
    return !server.empty() && server.size() <= kMaxServerBytes && !IsDotName(server) &&
           std::all_of(server.begin(), server.end(), IsServerCharacter);
}

bool IsValidShare(const std::string& share) {
    const auto isControl = [](char c) { return static_cast<unsigned char>(c) < 0x20; };
    return !share.empty() && share.size() <= kMaxShareBytes && !IsDotName(share) &&
           std::none_of(share.begin(), share.end(), isControl) &&
           g_utf8_validate(share.data(), static_cast<gssize>(share.size()), nullptr);
}

bool HasDotComponent(const std::string& rest) {
    size_t start = 0;
    while (start < rest.size()) {
        const size_t end = std::min(rest.find(kSeparator, start), rest.size());
        if (IsDotName(rest.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

bool SplitNetworkPath(const std::string& path, ShareAddress* address, std::string* rest) {
    if (!IsNetworkPath(path)) return false;
    const size_t serverEnd = path.find(kSeparator, 2);
    if (serverEnd == std::string::npos) return false;
    const size_t shareEnd = std::min(path.find(kSeparator, serverEnd + 1), path.size());
    ShareAddress parts{path.substr(2, serverEnd - 2),
                       path.substr(serverEnd + 1, shareEnd - serverEnd - 1)};
    std::string tail = path.substr(shareEnd);
    if (!IsValidServer(parts.server) || !IsValidShare(parts.share) || HasDotComponent(tail)) {
        return false;
    }
    *address = std::move(parts);
    *rest = std::move(tail);
    return true;
}

std::string ShareUri(const ShareAddress& address) {
    const detail::GCharPtr share(g_uri_escape_string(address.share.c_str(), nullptr, FALSE));
    return "smb://" + address.server + "/" + share.get() + "/";
}

std::string ShareKey(const ShareAddress& address) {
    return AsciiLower(address.server) + kSeparator + AsciiLower(address.share);
}

}  // namespace tv
