#include "settings/copy_settings.h"

#include <gtest/gtest.h>

#include "tests/settings/settings_values.h"

namespace tv::test {
namespace {

TEST(SettingsCopy, CopiesEveryFieldButHDBackupDriveAndTakesEachListEntryOnce) {
    SettingsRecord source = DistinctSettings("/source");
    source.FileList = {"/a", "/b", "/a"};
    source.ExtList = {"tmp", "tmp"};
    SettingsRecord target = DistinctSettings("/target");
    target.HDBackupDrive = 7;
    target.FileList = {"/only in target"};

    CopySettings(source, target);

    SettingsRecord wanted = source;
    wanted.HDBackupDrive = 7;
    wanted.FileList = {"/a", "/b"};
    wanted.ExtList = {"tmp"};
    ExpectSameSettings(wanted, target);
}

}  // namespace
}  // namespace tv::test
