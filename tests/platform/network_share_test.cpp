// Shares of a real SMB server on the loopback address, mounted through a real GVfs session.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/drive_table.h"
#include "platform/file_system.h"
#include "platform/linux/gio_share_mounter.h"
#include "platform/network_paths.h"
#include "platform/paths.h"
#include "tests/support/gvfs_session.h"
#include "tests/support/samba_server.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::SambaServer;
using test::ShareAccess;

constexpr const char* kUser = "tvbackup";
constexpr const char* kPassword = "Quartz-7f3c9-Lantern";

class NetworkShareTest : public ::testing::Test {
  protected:
    void SetUp() override {
        samba_.AddShare("secure", ShareAccess::kAccount);
        samba_.AddShare("guest", ShareAccess::kGuest);
        samba_.AddShare("readonly", ShareAccess::kReadOnly);
        samba_.SetAccount(kUser, kPassword);
        ASSERT_TRUE(samba_.Start()) << "FAILED LOUDLY: " << samba_.error();
        ASSERT_TRUE(gvfs_.Start()) << "FAILED LOUDLY: " << gvfs_.error();
    }

    static std::string Share(const std::string& name) { return SambaServer::NetworkName(name); }
    static std::string OnShare(const std::string& name, const std::string& rest) {
        return JoinPath(Share(name), rest);
    }

    test::TestWorld world_;
    SambaServer samba_{JoinPath(world_.base(), "samba")};
    test::GvfsSession gvfs_;
    GioShareMounter mounter_;
    const ShareCredentials right_{kUser, kPassword};
};

TEST_F(NetworkShareTest, RightPairMountsOnceAndTheShareIsARemoteDrive) {
    EXPECT_EQ(mounter_.Mount(Share("secure"), &right_), MountResult::kMounted);
    EXPECT_EQ(mounter_.Mount(Share("secure"), &right_), MountResult::kAlreadyMounted);
    EXPECT_EQ(mounter_.Mount(Share("secure"), nullptr), MountResult::kAlreadyMounted);
    EXPECT_EQ(world_.drives().DriveType(OnShare("secure", "")), kDriveRemote);
    EXPECT_EQ(ToLocalPath(OnShare("secure", "a/b")).rfind(gvfs_.FuseFolder() + "/", 0), 0u)
        << ToLocalPath(OnShare("secure", "a/b"));
}

TEST_F(NetworkShareTest, WrongPairOrNoneIsRefusedAndTheShareStaysUnreachable) {
    const ShareCredentials wrongPassword{kUser, "not-the-password"};
    const ShareCredentials unknownUser{"nobody-here", kPassword};
    EXPECT_EQ(mounter_.Mount(Share("secure"), &wrongPassword), MountResult::kRefused);
    EXPECT_EQ(mounter_.Mount(Share("secure"), &unknownUser), MountResult::kRefused);
    EXPECT_EQ(mounter_.Mount(Share("secure"), nullptr), MountResult::kRefused);
    EXPECT_EQ(ToLocalPath(OnShare("secure", "x")), "");
    EXPECT_FALSE(PathExists(Share("secure")));
    EXPECT_EQ(world_.drives().DriveType(Share("secure")), kDriveNoRootDir);
}

// The settings pages measure shares on a thread of their own while the program's thread may
// connect others: each call runs its own loop, so neither waits for or answers the other's.
TEST_F(NetworkShareTest, TwoThreadsMountAndUnmountAtTheSameTime) {
    MountResult fromWorker = MountResult::kRefused;
    bool workerUnmounted = false;
    std::thread worker([&] {
        fromWorker = mounter_.Mount(Share("secure"), &right_);
        workerUnmounted = mounter_.Unmount(Share("secure"));
    });
    EXPECT_EQ(mounter_.Mount(Share("guest"), nullptr), MountResult::kMounted);
    worker.join();
    EXPECT_EQ(fromWorker, MountResult::kMounted);
    EXPECT_TRUE(workerUnmounted);
    EXPECT_TRUE(PathExists(Share("guest")));
    EXPECT_FALSE(PathExists(Share("secure")));
    EXPECT_TRUE(mounter_.Unmount(Share("guest")));
}

TEST_F(NetworkShareTest, DomainWrittenBeforeTheUserIsAccepted) {
    const ShareCredentials withDomain{std::string("WORKGROUP\\") + kUser, kPassword};
    EXPECT_EQ(mounter_.Mount(Share("secure"), &withDomain), MountResult::kMounted);
}

TEST_F(NetworkShareTest, ServerOrShareThatIsNotThereIsUnreachableWithoutWaiting) {
    // The server listens on 127.0.0.1 only: 127.0.0.2 refuses at once.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(mounter_.Mount("//127.0.0.2/secure", &right_), MountResult::kUnreachable);
    EXPECT_EQ(mounter_.Mount("//no-such-host.invalid/secure", nullptr), MountResult::kUnreachable);
    EXPECT_EQ(mounter_.Mount(Share("no-such-share"), nullptr), MountResult::kUnreachable);
    // A bound against hanging, far above what the three take.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(25));
}

TEST_F(NetworkShareTest, GuestShareTakesFilesThroughPlainFileCallsUntilUnmounted) {
    ASSERT_EQ(mounter_.Mount(Share("guest"), nullptr), MountResult::kMounted);
    ASSERT_TRUE(CreateFolder(OnShare("guest", "backup")));
    ASSERT_TRUE(WriteFileAtomically(OnShare("guest", "backup/a.txt"), "written over the wire"));
    const std::string source = JoinPath(world_.MakeFolder("source"), "b.bin");
    ASSERT_TRUE(WriteFileAtomically(source, std::string(100000, 'b')));
    EXPECT_TRUE(CopyFile(source, OnShare("guest", "backup/b.bin")));

    std::string onServer;
    ASSERT_TRUE(ReadWholeFile(JoinPath(samba_.FolderOf("guest"), "backup/a.txt"), &onServer));
    EXPECT_EQ(onServer, "written over the wire");
    ASSERT_TRUE(ReadWholeFile(JoinPath(samba_.FolderOf("guest"), "backup/b.bin"), &onServer));
    EXPECT_EQ(onServer, std::string(100000, 'b'));
    DirectoryEnumerator folder;
    ASSERT_TRUE(folder.Open(OnShare("guest", "backup")));
    std::vector<std::string> names;
    for (FileStatus entry; folder.Next(&entry);) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b.bin"}));
    folder.Close();
    uint64_t free = 0;
    EXPECT_TRUE(world_.drives().FreeBytesAvailable(OnShare("guest", "backup"), &free));

    EXPECT_TRUE(mounter_.Unmount(Share("guest")));
    EXPECT_EQ(ToLocalPath(OnShare("guest", "backup/a.txt")), "");
    EXPECT_FALSE(PathExists(OnShare("guest", "backup/a.txt")));
    EXPECT_FALSE(WriteFileAtomically(OnShare("guest", "backup/c.txt"), "lost"));
    EXPECT_FALSE(mounter_.Unmount(Share("guest")));
}

TEST_F(NetworkShareTest, ReadOnlyShareRefusesWrites) {
    ASSERT_EQ(mounter_.Mount(Share("readonly"), nullptr), MountResult::kMounted);
    EXPECT_TRUE(IsDirectory(Share("readonly")));
    File file;
    EXPECT_FALSE(file.CreateForWrite(OnShare("readonly", "a.txt"), false, false));
    EXPECT_FALSE(WriteFileAtomically(OnShare("readonly", "b.txt"), "refused"));
    EXPECT_FALSE(CreateFolder(OnShare("readonly", "sub")));
    EXPECT_TRUE(std::filesystem::is_empty(samba_.FolderOf("readonly")));
}

// Every regular file below folder that holds text, leaving out other mounts (the shares).
std::vector<std::string> FilesHolding(const std::string& folder, const std::string& text) {
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    std::error_code error;
    const auto options = fs::directory_options::skip_permission_denied;
    for (fs::recursive_directory_iterator it(folder, options, error), end; !error && it != end;
         it.increment(error)) {
        if (it->path() == JoinPath(folder, "gvfs")) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file(error)) continue;
        std::ifstream in(it->path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        if (bytes.find(text) != std::string::npos) found.push_back(it->path());
    }
    return found;
}

TEST_F(NetworkShareTest, CredentialsAppearInNoProcessAndNoFileOfTheSession) {
    const ShareCredentials wrong{kUser, std::string(kPassword) + "-wrong"};
    EXPECT_EQ(mounter_.Mount(Share("secure"), &wrong), MountResult::kRefused);
    ASSERT_EQ(mounter_.Mount(Share("secure"), &right_), MountResult::kMounted);
    ASSERT_TRUE(WriteFileAtomically(OnShare("secure", "x.txt"), "x"));

    const std::vector<pid_t> session = gvfs_.Processes();
    EXPECT_GE(session.size(), 3u) << "the bus, gvfsd and its backends";
    for (const pid_t pid : session) {
        for (const char* part : {"cmdline", "environ"}) {
            const std::string text = test::ProcFile(pid, part);
            EXPECT_EQ(text.find(kPassword), std::string::npos) << pid << " " << part;
            EXPECT_EQ(text.find(kUser), std::string::npos) << pid << " " << part;
        }
    }
    for (const std::string& folder : {gvfs_.runtimeDir(), world_.home()}) {
        EXPECT_EQ(FilesHolding(folder, kPassword), std::vector<std::string>{}) << folder;
    }
}

}  // namespace
}  // namespace tv
