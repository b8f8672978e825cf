// Shares through the system's network client. Wine has no SMB client of its own, so only what
// needs no server is tried here; the share tests with a real server run on Linux.
#include <gtest/gtest.h>

#include "platform/windows/win32.h"
#include "platform/windows/wnet_share_mounter.h"

namespace tv {
namespace {

TEST(ShareMounterWin32, AShareThatCannotBeReachedIsUnreachableAndNotConnected) {
    WNetShareMounter mounter;
    const ShareCredentials credentials{"user", "secret"};
    EXPECT_EQ(mounter.Mount("//nowhere.invalid/share", &credentials), MountResult::kUnreachable);
    EXPECT_EQ(mounter.Mount("//nowhere.invalid/share", nullptr), MountResult::kUnreachable);
    EXPECT_FALSE(mounter.Unmount("//nowhere.invalid/share"));
}

TEST(ShareMounterWin32, NetworkErrorsTellRefusedCredentialsFromAnExistingConnection) {
    const struct {
        DWORD error;
        MountResult result;
    } cases[] = {
        {NO_ERROR, MountResult::kMounted},
        {ERROR_SESSION_CREDENTIAL_CONFLICT, MountResult::kAlreadyMounted},
        {ERROR_LOGON_FAILURE, MountResult::kRefused},
        {ERROR_ACCESS_DENIED, MountResult::kRefused},
        {ERROR_BAD_NET_NAME, MountResult::kUnreachable},
        {ERROR_BAD_NETPATH, MountResult::kUnreachable},
        {ERROR_NO_NETWORK, MountResult::kUnreachable},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MountResultOf(c.error), c.result) << c.error;
    }
}

}  // namespace
}  // namespace tv
