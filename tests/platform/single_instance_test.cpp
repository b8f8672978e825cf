#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/locations.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

// Whether a separate process can take the lock in folder right now.
bool OtherProcessAcquires(const std::string& folder) {
    const pid_t child = fork();
    if (child == 0) {
        SingleInstance instance;
        _exit(instance.Acquire(folder) ? 0 : 1);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SingleInstanceTest, SecondProcessIsRefusedWhileTheFirstHoldsTheLock) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("lock");
    {
        SingleInstance first;
        ASSERT_TRUE(first.Acquire(folder));
        EXPECT_TRUE(first.Acquire(folder));  // holding it already
        EXPECT_FALSE(OtherProcessAcquires(folder));
        first.Release();
        EXPECT_TRUE(OtherProcessAcquires(folder));
        ASSERT_TRUE(first.Acquire(folder));
        EXPECT_FALSE(OtherProcessAcquires(folder));
    }
    // Going out of scope releases it too.
    EXPECT_TRUE(OtherProcessAcquires(folder));
    struct stat st {};
    ASSERT_EQ(stat((folder + "/_OstrelTessaravineNext_").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(SingleInstanceTest, DefaultFolderIsTheRuntimeFolderElseAPrivateOneInTmp) {
    test::TestWorld world;
    EXPECT_EQ(DefaultLockDir(), std::getenv("XDG_RUNTIME_DIR"));
    SingleInstance instance;
    ASSERT_TRUE(instance.Acquire(DefaultLockDir()));
    EXPECT_FALSE(OtherProcessAcquires(DefaultLockDir()));
    instance.Release();

    unsetenv("XDG_RUNTIME_DIR");
    const std::string fallback = "/tmp/tessaravine-" + std::to_string(getuid());
    EXPECT_EQ(DefaultLockDir(), fallback);
}

TEST(SingleInstanceTest, MissingFolderFailsCleanly) {
    test::TestWorld world;
    SingleInstance instance;
    EXPECT_FALSE(instance.Acquire(world.base() + "/missing"));
}

}  // namespace
}  // namespace tv
