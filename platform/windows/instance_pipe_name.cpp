#include "platform/windows/instance_pipe_name.h"

#include <cstdint>
#include <cstdio>

#include "platform/instance_channel.h"
#include "platform/md5_rc4.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace tv::detail {

std::wstring InstancePipeName(const std::string& lockFolder) {
    std::wstring full = WidePath(lockFolder);
    while (!full.empty() && full.back() == L'\\') full.pop_back();
    CharLowerBuffW(full.data(), static_cast<DWORD>(full.size()));
    Md5Digest digest{};
    ComputeMd5(Utf8FromWide(full), &digest);
    std::string name = std::string("\\\\.\\pipe\\") + kInstanceChannelName + ".";
    for (const uint8_t byte : digest) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", byte);
        name += hex;
    }
    return WideFromUtf8(name);
}

}  // namespace tv::detail
