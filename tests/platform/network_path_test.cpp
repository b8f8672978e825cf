// Network paths without a network: the share a path names, and what an unmounted share is.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/drive_table.h"
#include "platform/file_system.h"
#include "platform/linux/mount_errors.h"
#include "platform/linux/share_address.h"
#include "platform/network_paths.h"
#include "platform/node_identity.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

struct SplitCase {
    const char* name;
    const char* path;
    bool valid;
    const char* server;
    const char* share;
    const char* rest;
};

const SplitCase kSplitCases[] = {
    {"ShareOnly", "//srv/data", true, "srv", "data", ""},
    {"ShareWithSeparator", "//srv/data/", true, "srv", "data", "/"},
    {"FolderBelow", "//srv/data/backup/a.txt", true, "srv", "data", "/backup/a.txt"},
    {"AddressAndSpacedShare", "//192.168.1.5/my files/x", true, "192.168.1.5", "my files", "/x"},
    {"AdminShare", "//srv/C$/x", true, "srv", "C$", "/x"},
    {"ServerOnly", "//srv", false, "", "", ""},
    {"EmptyShare", "//srv//x", false, "", "", ""},
    {"LocalPath", "/srv/data", false, "", "", ""},
    {"UserHiddenInServer", "//user@srv/data", false, "", "", ""},
    {"PortHiddenInServer", "//srv:4445/data", false, "", "", ""},
    {"DotDotShare", "//srv/../x", false, "", "", ""},
    {"ClimbsOutOfShare", "//srv/data/../other/x", false, "", "", ""},
    {"DotBelowShare", "//srv/data/./x", false, "", "", ""},
    {"ControlCharacterInShare", "//srv/da\nta", false, "", "", ""},
    {"BrokenUtf8InShare", "//srv/da\xff", false, "", "", ""},
};

class SplitNetworkPathTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitNetworkPathTest, TakesTheShareOrRefusesThePathWhole) {
    const SplitCase& c = GetParam();
    ShareAddress address{"untouched", "untouched"};
    std::string rest = "untouched";
    ASSERT_EQ(SplitNetworkPath(c.path, &address, &rest), c.valid);
    if (!c.valid) {
        EXPECT_EQ(address.server, "untouched");
        return;
    }
    EXPECT_EQ(address.server, c.server);
    EXPECT_EQ(address.share, c.share);
    EXPECT_EQ(rest, c.rest);
}

INSTANTIATE_TEST_SUITE_P(Paths, SplitNetworkPathTest, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShareAddressTest, UriEscapesTheShareAndKeyIgnoresCase) {
    EXPECT_EQ(ShareUri({"srv", "my files"}), "smb://srv/my%20files/");
    EXPECT_EQ(ShareUri({"srv", "C$"}), "smb://srv/C%24/");
    EXPECT_EQ(ShareKey({"SRV", "Data"}), ShareKey({"srv", "data"}));
    EXPECT_NE(ShareKey({"srv", "data"}), ShareKey({"srv", "data2"}));
}

TEST(NetworkPathTest, LocalPathsPassAndUnmountedSharesFailAsMissing) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("local");
    EXPECT_EQ(ToLocalPath(folder), folder);
    EXPECT_EQ(ToLocalPath("//127.0.0.1/nothing-mounted/x"), "");
    EXPECT_EQ(ToLocalPath("//srv/data/../../etc/passwd"), "");
    EXPECT_FALSE(PathExists("//127.0.0.1/nothing-mounted"));
    EXPECT_FALSE(WriteFileAtomically("//127.0.0.1/nothing-mounted/x.txt", "x"));
    File file;
    EXPECT_FALSE(file.CreateForWrite("//127.0.0.1/nothing-mounted/x.txt", false, false));
    EXPECT_FALSE(CreateFolder("//127.0.0.1/nothing-mounted/sub"));
    EXPECT_EQ(world.drives().DriveType("//127.0.0.1/nothing-mounted/"), kDriveNoRootDir);
}

TEST(NetworkPathTest, UnmountedShareNeverFallsBackToTheCurrentFolder) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("current");
    const std::string before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    EXPECT_FALSE(WriteFileAtomically("//127.0.0.1/nothing-mounted/x.txt", "x"));
    EXPECT_FALSE(CopyFile(folder, "//127.0.0.1/nothing-mounted/y.txt"));
    std::vector<NodeIdentity> chain;
    EXPECT_FALSE(GetAncestorIdentities("//127.0.0.1/nothing-mounted/z", &chain));
    std::filesystem::current_path(before);
    EXPECT_EQ(world.Read(folder), test::Tree{});
}

struct ErrorCase {
    const char* name;
    int code;
    MountResult expected;
};

const ErrorCase kErrorCases[] = {
    {"AlreadyMounted", G_IO_ERROR_ALREADY_MOUNTED, MountResult::kAlreadyMounted},
    {"FailedBeforeAnyLogin", G_IO_ERROR_FAILED, MountResult::kUnreachable},
    {"HostNotFound", G_IO_ERROR_HOST_NOT_FOUND, MountResult::kUnreachable},
    {"ConnectionRefused", G_IO_ERROR_CONNECTION_REFUSED, MountResult::kUnreachable},
    {"TimedOut", G_IO_ERROR_TIMED_OUT, MountResult::kUnreachable},
    {"NotFound", G_IO_ERROR_NOT_FOUND, MountResult::kUnreachable},
    {"RefusedPasswordQuestion", G_IO_ERROR_FAILED_HANDLED, MountResult::kRefused},
    {"PermissionDenied", G_IO_ERROR_PERMISSION_DENIED, MountResult::kRefused},
    {"Cancelled", G_IO_ERROR_CANCELLED, MountResult::kRefused},
};

class MountErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(MountErrorTest, MeansWhatTheCallerActsOn) {
    GError* error = g_error_new_literal(G_IO_ERROR, GetParam().code, "text");
    EXPECT_EQ(MountResultOfError(error), GetParam().expected);
    g_error_free(error);
}

INSTANTIATE_TEST_SUITE_P(Codes, MountErrorTest, ::testing::ValuesIn(kErrorCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MountErrorTest, AnErrorOfAnotherDomainIsARefusal) {
    GError* error = g_error_new_literal(G_FILE_ERROR, G_FILE_ERROR_NOENT, "text");
    EXPECT_EQ(MountResultOfError(error), MountResult::kRefused);
    g_error_free(error);
}

}  // namespace
}  // namespace tv
