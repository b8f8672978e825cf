// The registry location of one test: the file of its world's config folder on Linux; on
// Windows a key of its own below HKEY_CURRENT_USER, named after the world's temporary folder so
// that tests running side by side never share one, and removed with everything in it at the end.
#pragma once

#include <string>

#include "platform/paths.h"
#include "platform/registry_store.h"
#include "tests/support/test_world.h"

#ifdef _WIN32
// The registry calls alone: <windows.h> would rename MessageBox and others of the test support.
// clang-format off
#include <windef.h>
#include <winbase.h>
#include <winreg.h>
// clang-format on
#endif

namespace tv::test {

class TestRegistry {
  public:
    explicit TestRegistry(const TestWorld& world) : location_(LocationFor(world)) {}
    // The file goes with the world's folder; the key is removed here.
    ~TestRegistry() {
#ifdef _WIN32
        const std::wstring key(location_.begin(), location_.end());
        RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
#endif
    }
    TestRegistry(const TestRegistry&) = delete;
    TestRegistry& operator=(const TestRegistry&) = delete;

    const std::string& location() const { return location_; }

  private:
    static std::string LocationFor(const TestWorld& world) {
#ifdef _WIN32
        // The folder's name is ASCII: a prefix, the process id and a number.
        return "Software\\OstrelSystem\\TessaravineNextTests\\" +
               AfterLastSeparator(WithoutTrailingSeparators(world.base()));
#else
        return DefaultRegistryLocation(world.configDir());
#endif
    }

    std::string location_;
};

}  // namespace tv::test
