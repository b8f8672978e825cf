// A damaged settings file at start-up is kept aside instead of being replaced by the defaults
// the session writes.
#include "controller/start_up/settings_file_start.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/registry_store.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

// A good start of the file and a value whose text never ends.
const std::string kDamaged =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext\\Mirroring]\r\n"
    "\"SyncInterval\"=dword:0000005a\r\n\"Broken\r\n";
const std::string kGood =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext\\Mirroring]\r\n"
    "\"SyncInterval\"=dword:0000005a\r\n\r\n";

std::string RegistryPath(const TestWorld& world) {
    return JoinPath(world.configDir(), kRegistryFileName);
}

TEST(ControllerSettingsFileStart, DamagedFilesAreKeptAsideUnderNamesOfTheirOwn) {
    TestWorld world;
    const std::string path = RegistryPath(world);
    const std::string kept[] = {path + ".damaged", path + ".damaged.2"};
    for (const std::string& expected : kept) {
        PutFileBytes(path, kDamaged + expected);
        RegistryStore registry(path);
        std::string keptAs;
        EXPECT_EQ(LoadSettingsFileAtStart(registry, &keptAs), SettingsFileStart::KeptAside);
        EXPECT_EQ(keptAs, expected);
        EXPECT_EQ(FileBytes(expected), kDamaged + expected);
        // The session's first read of a section writes a new file, not over the kept one.
        uint32_t value = 0;
        EXPECT_FALSE(registry.ReadDword("Mirroring", "SyncInterval", &value));
        EXPECT_NE(FileBytes(path), kDamaged + expected);
        EXPECT_EQ(FileBytes(expected), kDamaged + expected);
    }
}

TEST(ControllerSettingsFileStart, AGoodOrMissingFileLoadsInPlace) {
    TestWorld world;
    const std::string path = RegistryPath(world);
    for (const bool present : {false, true}) {
        if (present) PutFileBytes(path, kGood);
        RegistryStore registry(path);
        std::string keptAs;
        EXPECT_EQ(LoadSettingsFileAtStart(registry, &keptAs), SettingsFileStart::Loaded);
        EXPECT_EQ(keptAs, "");
        EXPECT_FALSE(PathExists(path + ".damaged"));
    }
}

}  // namespace
}  // namespace tv::test
