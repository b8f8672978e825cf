#include "controller/runners/relocation_run.h"

#include "settings/unit_options.h"

namespace tv {

RelocationRequest MakeRelocationRequest(const SettingsRecord& settings,
                                        const std::string& oldFolder, const std::string& newFolder,
                                        bool move) {
    RelocationRequest request;
    request.OldFolder = oldFolder;
    request.NewFolder = newFolder;
    request.Move = move;
    const UnitOptions removable = UnitOptionsOf(settings, SettingsUnit::Removable);
    request.RemChacheSize = removable.cacheSize;
    request.RemLoadControl = removable.loadControl;
    request.IdleCheck = static_cast<uint8_t>(settings.IdleCheck);
    request.ExcludedFolders = &settings.ExceptList;
    request.ExceptSubFolder = static_cast<uint8_t>(settings.ExceptSubFolder);
    request.Navigation = settings.Navigation;
    return request;
}

int RunBackupRelocation(CopyRunner& runner, const SettingsRecord& settings,
                        const std::string& oldFolder, const std::string& newFolder, bool move) {
    const RelocationRequest request = MakeRelocationRequest(settings, oldFolder, newFolder, move);
    return runner.RunRelocation(request, move ? kRelocationTitleMove : kRelocationTitleCopy);
}

}  // namespace tv
