#include "platform/open_file_limit.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace tv {
namespace {

TEST(OpenFileLimitTest, TheSoftLimitRisesToTheHardLimit) {
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    if (saved.rlim_max < 512) GTEST_SKIP() << "the hard limit leaves nothing to raise";
    rlimit lowered = saved;
    lowered.rlim_cur = 256;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);

    const bool raised = RaiseOpenFileLimit();
    rlimit now{};
    getrlimit(RLIMIT_NOFILE, &now);
    setrlimit(RLIMIT_NOFILE, &saved);

    EXPECT_TRUE(raised);
    EXPECT_EQ(now.rlim_cur, saved.rlim_max);
    EXPECT_EQ(now.rlim_max, saved.rlim_max);
}

}  // namespace
}  // namespace tv
