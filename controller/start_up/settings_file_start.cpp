#include "controller/start_up/settings_file_start.h"

#include "platform/registry_store.h"

namespace tv {

namespace {

// Far more damaged files than anyone keeps; past that the file is not renamed.
constexpr int kMaxKeptFiles = 99;

// The first location "<path>.damaged", "<path>.damaged.2" … that is free; "" when none is.
std::string FreeKeptName(const std::string& path) {
    const std::string base = path + ".damaged";
    if (!RegistryLocationExists(base)) return base;
    for (int number = 2; number <= kMaxKeptFiles; ++number) {
        const std::string name = base + "." + std::to_string(number);
        if (!RegistryLocationExists(name)) return name;
    }
    return "";
}

}  // namespace

SettingsFileStart LoadSettingsFileAtStart(RegistryStore& registry, std::string* keptAs) {
    if (registry.Load()) return SettingsFileStart::Loaded;
    *keptAs = FreeKeptName(registry.path());
    if (keptAs->empty() || !MoveRegistryLocation(registry.path(), *keptAs)) {
        return SettingsFileStart::NotKeptAside;
    }
    return SettingsFileStart::KeptAside;
}

}  // namespace tv
