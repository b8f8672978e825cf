// A test world for the settings: pinned drives, a fake clock and the registry location of the
// world (test_registry.h), wired into one SettingsContext. Restart() reads everything back the
// way a new process would: a new registry store on the same location and a new record.
#pragma once

#include <memory>
#include <string>

#include "platform/paths.h"
#include "platform/registry_store.h"
#include "settings/settings_context.h"
#include "settings/settings_defaults.h"
#include "settings/settings_persistence.h"
#include "tests/settings/test_registry.h"
#include "tests/support/fake_clock.h"
#include "tests/support/file_bytes.h"
#include "tests/support/new_process_settings.h"
#include "tests/support/test_world.h"

namespace tv::test {

class SettingsWorld {
  public:
    SettingsWorld()
        : registry_(std::make_unique<RegistryStore>(RegistryPath())),
          context_(std::make_unique<SettingsContext>(MakeContext(*registry_))) {
        clock_.SetLocal(2005, 7, 1, 9, 30, 0);
    }

    TestWorld& world() { return world_; }
    const TestWorld& world() const { return world_; }
    FakeClock& clock() { return clock_; }
    const SettingsContext& context() const { return *context_; }
    std::string RegistryPath() const { return registryLocation_.location(); }

    // The record of a new process: the defaults, then LoadSettings from a new store.
    SettingsRecord Restart() {
        registry_ = std::make_unique<RegistryStore>(RegistryPath());
        context_ = std::make_unique<SettingsContext>(MakeContext(*registry_));
        return NewProcessSettings(*context_);
    }

    // The secret store of this and every later context; null: no store answers.
    void UseSecrets(SecretStore* secrets) {
        secrets_ = secrets;
        context_ = std::make_unique<SettingsContext>(MakeContext(*registry_));
    }

    // A store that reads the registry as it is now.
    RegistryStore StoredRegistry() const {
        RegistryStore store(RegistryPath());
        store.Load();
        return store;
    }

    // The registry's values as REGEDIT4 text: the file's own bytes on Linux, the export of the
    // key on Windows.
    std::string StoredRegistryText() const {
#ifdef _WIN32
        return StoredRegistry().Serialize();
#else
        return FileBytes(RegistryPath());
#endif
    }

  private:
    SettingsContext MakeContext(RegistryStore& registry) {
        return SettingsContext{world_.drives(), registry, world_.locations(), clock_, secrets_};
    }

    TestWorld world_;
    TestRegistry registryLocation_{world_};
    FakeClock clock_;
    SecretStore* secrets_ = nullptr;
    std::unique_ptr<RegistryStore> registry_;
    std::unique_ptr<SettingsContext> context_;
};

}  // namespace tv::test
