#include "controller/tray_menu.h"

#include "controller/frame_ids.h"
#include "settings/current_drives.h"

namespace tv {

namespace {

bool OffersMirroring(const SettingsRecord& settings, const DriveTable& drives, int index) {
    const DriveWork work = settings.Drives[index].Work;
    return CurrentDriveType(drives, DriveLetterAt(index)) == kDriveRemovable &&
           (work == DriveWork::AutoBackup || work == DriveWork::ManualBackup);
}

}  // namespace

std::vector<TrayMenuItem> TrayMenuItems(const SettingsRecord& settings, const DriveTable& drives) {
    std::vector<TrayMenuItem> items = {
        {kCommandExit, "アプリケーションの終了(&X)"},
        {kCommandSettings, "設定(&C)"},
        {kCommandSettingsReport, "Tessaravine設定内容を出力(&S)"},
    };
    for (int index = 0; index < kDriveLetterCount; ++index) {
        if (!OffersMirroring(settings, drives, index)) continue;
        items.push_back(
            {kCommandMirrorFirst + index, settings.Drives[index].Name + "をミラーリング"});
    }
    return items;
}

}  // namespace tv
