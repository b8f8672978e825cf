// The settings in the registry's stand-in file: a file that cannot be written or read, and the
// file's mode.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "settings/list_file.h"
#include "tests/settings/settings_values.h"
#include "tests/settings/settings_world.h"

namespace tv::test {
namespace {

class SettingsRegistryFile : public ::testing::Test {
  protected:
    SettingsWorld settings;
};

// The registry file is written once, when the batch of values ends; a failure there must not
// be reported as a successful save.
TEST_F(SettingsRegistryFile, ARegistryFileThatCannotBeWrittenFailsTheSave) {
    ASSERT_EQ(mkdir(settings.RegistryPath().c_str(), 0700), 0);  // nothing can replace a folder
    EXPECT_FALSE(SaveSettings(DefaultSettings(settings.context()), settings.context()));
}

TEST_F(SettingsRegistryFile, ADamagedRegistryFileLeavesTheRecordAlone) {
    {
        std::ofstream out(settings.RegistryPath(), std::ios::binary);
        out << "not a registry file\r\n[broken\r\n";
    }
    {
        std::ofstream out(ListFilePath(settings.world().programDir()), std::ios::binary);
        out << "[EXT]\r\ntmp\r\n";
    }
    const SettingsRecord before = DefaultSettings(settings.context());
    SettingsRecord record = before;
    EXPECT_FALSE(LoadSettings(record, settings.context()));

    SettingsRecord wanted = before;
    wanted.ExtList = {"tmp"};  // the list file is read all the same
    ExpectSameSettings(wanted, record);
}
TEST_F(SettingsRegistryFile, TheRegistryFileIsTheOwnersAlone) {
    SettingsRecord record = DefaultSettings(settings.context());
    record.Pass1 = "パスワード";
    ASSERT_TRUE(SaveSettings(record, settings.context()));

    struct stat status {};
    ASSERT_EQ(stat(settings.RegistryPath().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace tv::test
