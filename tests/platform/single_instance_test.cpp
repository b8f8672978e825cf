#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <ostream>

#include "platform/file_system.h"
#include "platform/locations.h"
#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_user.h"
#include "tests/support/test_world.h"

namespace tv {

void PrintTo(InstanceLock lock, std::ostream* out) {
    static const char* const kNames[] = {"Held", "HeldElsewhere", "NoSafeFolder"};
    const auto index = static_cast<size_t>(lock);
    *out << (index < 3 ? kNames[index] : "unknown");
}

namespace {

// What a separate process gets when it tries to take the lock in folder right now.
InstanceLock OtherProcessAcquires(const std::string& folder) {
    const pid_t child = fork();
    if (child == 0) {
        SingleInstance instance;
        _exit(static_cast<int>(instance.Acquire(folder)));
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    return static_cast<InstanceLock>(WEXITSTATUS(status));
}

TEST(SingleInstanceTest, SecondProcessIsRefusedWhileTheFirstHoldsTheLock) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("lock");
    {
        SingleInstance first;
        ASSERT_EQ(first.Acquire(folder), InstanceLock::Held);
        EXPECT_EQ(first.Acquire(folder), InstanceLock::Held);  // holding it already
        EXPECT_EQ(OtherProcessAcquires(folder), InstanceLock::HeldElsewhere);
        first.Release();
        EXPECT_EQ(OtherProcessAcquires(folder), InstanceLock::Held);
        ASSERT_EQ(first.Acquire(folder), InstanceLock::Held);
        EXPECT_EQ(OtherProcessAcquires(folder), InstanceLock::HeldElsewhere);
    }
    // Going out of scope releases it too.
    EXPECT_EQ(OtherProcessAcquires(folder), InstanceLock::Held);
    struct stat st {};
    ASSERT_EQ(stat((folder + "/_OstrelTessaravineNext_").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(SingleInstanceTest, DefaultFolderIsTheRuntimeFolderElseAPrivateOneInTheCache) {
    test::TestWorld world;
    EXPECT_EQ(DefaultLockDir(), std::getenv("XDG_RUNTIME_DIR"));
    SingleInstance instance;
    ASSERT_EQ(instance.Acquire(DefaultLockDir()), InstanceLock::Held);
    EXPECT_EQ(OtherProcessAcquires(DefaultLockDir()), InstanceLock::HeldElsewhere);
    instance.Release();

    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(DefaultLockDir(), world.home() + "/.cache/tessaravine");
    unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(DefaultLockDir(), world.home() + "/.cache/tessaravine");
    ASSERT_EQ(instance.Acquire(DefaultLockDir()), InstanceLock::Held);
    EXPECT_EQ(OtherProcessAcquires(DefaultLockDir()), InstanceLock::HeldElsewhere);
}

TEST(SingleInstanceTest, MissingFolderIsNoSafeFolder) {
    test::TestWorld world;
    SingleInstance instance;
    EXPECT_EQ(instance.Acquire(world.base() + "/missing"), InstanceLock::NoSafeFolder);
}

// /tmp/tessaravine-$UID of the scratch user, made first by root (another account to it) and
// removed when the test ends; made() is false where the name is taken already.
class TakenTmpFolder {
  public:
    TakenTmpFolder()
        : path_("/tmp/tessaravine-" + std::to_string(test::ScratchUser::kId)),
          made_(mkdir(path_.c_str(), 0755) == 0) {}
    ~TakenTmpFolder() {
        if (made_) rmdir(path_.c_str());
    }
    TakenTmpFolder(const TakenTmpFolder&) = delete;
    TakenTmpFolder& operator=(const TakenTmpFolder&) = delete;
    bool made() const { return made_; }

  private:
    std::string path_;
    bool made_;
};

TEST(SingleInstanceTest, AnotherAccountsFolderInTmpDoesNotKeepTheProgramFromItsLock) {
    if (geteuid() != 0) GTEST_SKIP() << "a second account needs root to play";
    test::TestWorld world;
    const TakenTmpFolder taken;
    if (!taken.made()) GTEST_SKIP() << "/tmp/tessaravine-" << test::ScratchUser::kId << " exists";
    // The world's home becomes the scratch user's; the folder above it only lets it pass.
    ASSERT_EQ(chmod(world.base().c_str(), 0711), 0);
    for (const std::string& own : {world.home(), world.home() + "/.cache"}) {
        ASSERT_EQ(chown(own.c_str(), test::ScratchUser::kId, test::ScratchUser::kId), 0);
    }
    unsetenv("XDG_RUNTIME_DIR");

    const pid_t child = fork();
    if (child == 0) {
        SingleInstance instance;
        _exit(test::ScratchUser::DropRoot() ? static_cast<int>(instance.Acquire(DefaultLockDir()))
                                            : 99);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(static_cast<InstanceLock>(WEXITSTATUS(status)), InstanceLock::Held);
    struct stat st {};
    ASSERT_EQ(lstat(DefaultLockDir().c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, test::ScratchUser::kId);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
}

TEST(SingleInstanceTest, AFallbackFolderThatIsNotTheUsersAloneIsNoSafeFolder) {
    const struct {
        const char* what;
        std::function<void(const std::string& fallback, test::TestWorld&)> make;
        bool needsRoot;
    } cases[] = {
        {"a link to a private folder",
         [](const std::string& fallback, test::TestWorld& world) {
             const std::string target = world.MakeFolder("private");
             chmod(target.c_str(), 0700);
             ASSERT_EQ(symlink(target.c_str(), fallback.c_str()), 0);
         },
         false},
        {"another account's folder",
         [](const std::string& fallback, test::TestWorld&) {
             ASSERT_EQ(mkdir(fallback.c_str(), 0700), 0);
             ASSERT_EQ(chown(fallback.c_str(), test::ScratchUser::kId, test::ScratchUser::kId), 0);
         },
         true},
        {"a group-writable folder",
         [](const std::string& fallback, test::TestWorld&) {
             ASSERT_EQ(mkdir(fallback.c_str(), 0700), 0);
             ASSERT_EQ(chmod(fallback.c_str(), 0770), 0);
         },
         false},
        {"a folder others can write",
         [](const std::string& fallback, test::TestWorld&) {
             ASSERT_EQ(mkdir(fallback.c_str(), 0700), 0);
             ASSERT_EQ(chmod(fallback.c_str(), 0703), 0);
         },
         false},
        {"a file",
         [](const std::string& fallback, test::TestWorld&) { test::PutFileBytes(fallback, ""); },
         false},
    };
    for (const auto& c : cases) {
        if (c.needsRoot && geteuid() != 0) continue;
        test::TestWorld world;
        unsetenv("XDG_RUNTIME_DIR");
        c.make(DefaultLockDir(), world);
        struct stat before {};
        ASSERT_EQ(lstat(DefaultLockDir().c_str(), &before), 0) << c.what;

        SingleInstance instance;
        EXPECT_EQ(instance.Acquire(DefaultLockDir()), InstanceLock::NoSafeFolder) << c.what;
        // Left as it was found.
        struct stat after {};
        ASSERT_EQ(lstat(DefaultLockDir().c_str(), &after), 0) << c.what;
        EXPECT_EQ(after.st_mode, before.st_mode) << c.what;
        EXPECT_EQ(after.st_uid, before.st_uid) << c.what;
        EXPECT_FALSE(PathExists(JoinPath(world.base(), "private/_OstrelTessaravineNext_")))
            << c.what;
    }
}

}  // namespace
}  // namespace tv
