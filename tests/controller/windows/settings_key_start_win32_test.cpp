// A damaged settings key at start-up is kept aside, whole, under a key of its own beside it,
// instead of being replaced by the defaults the session writes.
#include <gtest/gtest.h>

#include <string>

#include "controller/start_up/settings_file_start.h"
#include "platform/windows/win32.h"
#include "tests/settings/test_registry.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The key with a good value, and a section whose name no key of the program has.
void PutDamagedKey(const std::string& location, DWORD interval) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(location + "\\Mirroring").c_str(), 0, nullptr,
                              0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"SyncInterval", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&interval),
                   sizeof interval);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(location + "\\Broken\r\n").c_str(), 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

DWORD IntervalIn(const std::string& location) {
    DWORD value = 0;
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, Wide(location + "\\Mirroring").c_str(), L"SyncInterval",
                 RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

TEST(ControllerSettingsKeyStart, DamagedKeysAreKeptAsideWholeUnderKeysOfTheirOwn) {
    TestWorld world;
    const TestRegistry registry(world);
    const std::string location = registry.location();
    const std::string kept[] = {location + ".damaged", location + ".damaged.2"};
    DWORD interval = 90;
    for (const std::string& expected : kept) {
        PutDamagedKey(location, interval);
        RegistryStore store(location);
        std::string keptAs;
        EXPECT_EQ(LoadSettingsFileAtStart(store, &keptAs), SettingsFileStart::KeptAside);
        EXPECT_EQ(keptAs, expected);
        EXPECT_EQ(IntervalIn(expected), interval);
        EXPECT_EQ(IntervalIn(location), 0u);
        ++interval;
    }
    for (const std::string& key : kept) RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key).c_str());
}

}  // namespace
}  // namespace tv::test
