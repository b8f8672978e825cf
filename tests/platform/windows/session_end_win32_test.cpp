// The end of the session from the program. Logging off or powering off under Wine would end
// every process of the test run, so only the privilege the power-off needs is asked here.
#include <gtest/gtest.h>

#include "platform/windows/session_end.h"

namespace tv {
namespace {

TEST(SessionEndWin32, TheUserOfAWineSessionMayPowerOff) {
    // Wine gives its user an administrator's token, which holds the shutdown privilege.
    EXPECT_TRUE(MayPowerOff());
}

}  // namespace
}  // namespace tv
