// Where the library looks for the program's drive table on Linux.
#include "cardprobe/linux/drive_file_path.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tests/cardprobe/scratch_world.h"

namespace tv::cardprobe {
namespace {

TEST(CardProbeDriveFileTest, ConfigFolderComesFromTheEnvironment) {
    tv::test::ScratchWorld world;  // points XDG_CONFIG_HOME into itself
    EXPECT_EQ(DefaultDriveFilePath(), world.DriveFilePath());
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        EXPECT_EQ(DefaultDriveFilePath(), std::string(home) + "/.config/OstrelSystem/drives.tsv");
    }
}

// Without HOME the program still finds the home folder in the user database, and so must the
// library, or it would look for a drive table that is somewhere else.
TEST(CardProbeDriveFileTest, ConfigFolderWithoutHomeIsTheUsersHomeFolder) {
    tv::test::ScratchWorld world;
    ::unsetenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string savedHome = home != nullptr ? home : "";
    ::unsetenv("HOME");
    const std::string path = DefaultDriveFilePath();
    if (!savedHome.empty()) ::setenv("HOME", savedHome.c_str(), 1);

    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(path, std::string(user->pw_dir) + "/.config/OstrelSystem/drives.tsv");
}

}  // namespace
}  // namespace tv::cardprobe
