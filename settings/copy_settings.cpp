#include "settings/copy_settings.h"

#include <unordered_set>

namespace tv {
namespace {

std::vector<std::string> WithoutRepeats(const std::vector<std::string>& entries) {
    std::vector<std::string> kept;
    std::unordered_set<std::string> seen;
    for (const std::string& entry : entries) {
        if (seen.insert(entry).second) kept.push_back(entry);
    }
    return kept;
}

}  // namespace

void CopySettings(const SettingsRecord& source, SettingsRecord& target) {
    if (&source == &target) return;
    const int32_t keptHDBackupDrive = target.HDBackupDrive;
    target = source;
    target.HDBackupDrive = keptHDBackupDrive;
    for (auto list : {&SettingsRecord::FileList, &SettingsRecord::ExceptList,
                      &SettingsRecord::ExtList, &SettingsRecord::IncExtList}) {
        target.*list = WithoutRepeats(source.*list);
    }
}

}  // namespace tv
