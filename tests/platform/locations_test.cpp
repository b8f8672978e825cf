#include "platform/locations.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>

#include "platform/paths.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

struct UserDirsCase {
    const char* name;
    std::string text;
    std::string expected;
};

const UserDirsCase kUserDirs[] = {
    {"home relative", "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n", "/h/Documents"},
    {"japanese name, CR LF",
     "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\r\nXDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\r\n",
     "/h/ドキュメント"},
    {"absolute", "XDG_DOCUMENTS_DIR=\"/data/docs\"", "/data/docs"},
    {"blanks around", "  XDG_DOCUMENTS_DIR = \"$HOME/My Docs\"  # mine\n", "/h/My Docs"},
    {"escapes", "XDG_DOCUMENTS_DIR=\"$HOME/a\\\"b\\\\c\"\n", "/h/a\"b\\c"},
    {"home itself", "XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/h"},
    {"last valid wins",
     "XDG_DOCUMENTS_DIR=\"$HOME/one\"\nXDG_DOCUMENTS_DIR=\"relative\"\n"
     "XDG_DOCUMENTS_DIR=\"$HOME/two\"\nXDG_DOCUMENTS_DIR=\"$HOME/three\n",
     "/h/two"},
    {"commented out", "# XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n", ""},
    {"other key only", "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n", ""},
    {"longer key", "XDG_DOCUMENTS_DIRS=\"$HOME/x\"\n", ""},
    {"unquoted", "XDG_DOCUMENTS_DIR=$HOME/Documents\n", ""},
    {"unterminated", "XDG_DOCUMENTS_DIR=\"$HOME/Documents\n", ""},
    {"relative", "XDG_DOCUMENTS_DIR=\"Documents\"\n", ""},
    {"other variable", "XDG_DOCUMENTS_DIR=\"$HOMEX/Documents\"\n", ""},
    {"trailing backslash", "XDG_DOCUMENTS_DIR=\"$HOME/a\\", ""},
    {"empty text", "", ""},
};

TEST(LocationsTest, DocumentsFolderFromUserDirsText) {
    for (const UserDirsCase& c : kUserDirs) {
        EXPECT_EQ(DocumentsDirFromUserDirs(c.text, "/h"), c.expected) << c.name;
    }
}

TEST(LocationsTest, DefaultFoldersFollowHomeAndXdgVariables) {
    test::TestWorld world;
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    EXPECT_EQ(DefaultConfigDir(), config + "/OstrelSystem");
    EXPECT_EQ(DefaultConfigDir(), world.configDir());
    EXPECT_EQ(DefaultDocumentsDir(), world.home() + "/Documents");

    std::ofstream(config + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/文書\"\n";
    EXPECT_EQ(DefaultDocumentsDir(), world.home() + "/文書");

    // A relative XDG variable is not valid and falls back to the folder under HOME.
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(DefaultConfigDir(), world.home() + "/.config/OstrelSystem");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(DefaultConfigDir(), world.home() + "/.config/OstrelSystem");
}

TEST(LocationsTest, OversizedUserDirsFileIsIgnored) {
    test::TestWorld world;
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    std::ofstream(config + "/user-dirs.dirs")
        << std::string(70000, '#') << "\nXDG_DOCUMENTS_DIR=\"$HOME/big\"\n";
    EXPECT_EQ(DefaultDocumentsDir(), world.home() + "/Documents");
}

TEST(LocationsTest, ProgramDirIsTheExecutableFolderWhenWritable) {
    test::TestWorld world;
    char exe[PATH_MAX] = {};
    ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    const std::string folder = std::string(exe).substr(0, std::string(exe).rfind('/'));
    ASSERT_EQ(access(folder.c_str(), W_OK), 0);
    EXPECT_EQ(DefaultProgramDir(), folder);
    EXPECT_EQ(DefaultLocations().programDir, folder);
    EXPECT_EQ(DefaultLocations().installDir, folder);
}

TEST(LocationsTest, ProgramDirIsTheUsersDataFolderUnlessTheFolderIsAWritableOwnInstall) {
    test::TestWorld world;
    const std::string own = world.base() + "/own";
    const std::string shared = world.base() + "/shared";
    ASSERT_TRUE(EnsureFolder(own));
    ASSERT_TRUE(EnsureFolder(shared));
    std::ofstream(JoinPath(shared, kSharedInstallMarker)) << "";
    const std::string data = std::string(std::getenv("XDG_DATA_HOME")) + "/tessaravine";
    const struct {
        std::string folder;
        std::string expected;
    } cases[] = {
        {own, own},
        {shared, data},  // writable, yet shared by every user
        {world.base() + "/missing", data},
        {"", data},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(ProgramDirFor(c.folder), c.expected);
    }
}

TEST(LocationsTest, EnsureFolderMakesParentsAndRefusesFiles) {
    test::TestWorld world;
    const std::string deep = world.base() + "/a/b/c";
    EXPECT_TRUE(EnsureFolder(deep));
    EXPECT_TRUE(EnsureFolder(deep));
    struct stat st {};
    EXPECT_EQ(stat(deep.c_str(), &st), 0);
    std::ofstream(world.base() + "/file") << "x";
    EXPECT_FALSE(EnsureFolder(world.base() + "/file"));
    EXPECT_FALSE(EnsureFolder(world.base() + "/file/below"));
    EXPECT_FALSE(EnsureFolder(""));
}

}  // namespace
}  // namespace tv
