#include "platform/windows/session_end.h"

#include <cstddef>
#include <vector>

#include "platform/windows/file_handle.h"
#include "platform/windows/win32.h"

namespace tv {
namespace {

constexpr DWORD kPlannedByAnApplication =
    SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;

detail::UniqueHandle ProcessToken(DWORD access) {
    HANDLE token = INVALID_HANDLE_VALUE;
    if (!OpenProcessToken(GetCurrentProcess(), access, &token)) return detail::UniqueHandle();
    return detail::UniqueHandle(token);
}

bool ShutdownPrivilege(LUID* privilege) {
    return LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, privilege) != 0;
}

// A token holds its privileges disabled until the program that needs one enables it.
bool EnableShutdownPrivilege() {
    const detail::UniqueHandle token = ProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!token.valid() || !ShutdownPrivilege(&privileges.Privileges[0].Luid)) return false;
    // Succeeds without assigning a privilege the token does not hold; the error tells.
    return AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) &&
           GetLastError() == ERROR_SUCCESS;
}

}  // namespace

bool MayPowerOff() {
    const detail::UniqueHandle token = ProcessToken(TOKEN_QUERY);
    LUID shutdown{};
    DWORD size = 0;
    if (!token.valid() || !ShutdownPrivilege(&shutdown)) return false;
    GetTokenInformation(token.get(), TokenPrivileges, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size < sizeof(TOKEN_PRIVILEGES) ||
        !GetTokenInformation(token.get(), TokenPrivileges, buffer.data(), size, &size)) {
        return false;
    }
    const auto* held = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    const size_t room =
        (size - offsetof(TOKEN_PRIVILEGES, Privileges)) / sizeof(LUID_AND_ATTRIBUTES);
    for (DWORD i = 0; i < held->PrivilegeCount && i < room; ++i) {
        const LUID& luid = held->Privileges[i].Luid;
        if (luid.LowPart == shutdown.LowPart && luid.HighPart == shutdown.HighPart) return true;
    }
    return false;
}

bool PowerOff() {
    return EnableShutdownPrivilege() &&
           ExitWindowsEx(EWX_POWEROFF | EWX_FORCEIFHUNG, kPlannedByAnApplication) != 0;
}

bool LogOff() { return ExitWindowsEx(EWX_LOGOFF | EWX_FORCEIFHUNG, kPlannedByAnApplication) != 0; }

}  // namespace tv
