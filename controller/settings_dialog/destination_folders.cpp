#include "controller/settings_dialog/destination_folders.h"

#include "controller/settings_dialog/measured_share.h"
#include "platform/file_system.h"

namespace tv {

namespace {

DestinationFolder LookAt(SettingsRecord& record, const std::string& path, ShareMounter& mounter) {
    const MeasuredShare share(record, path, mounter);
    return {path, share.reachable() && IsDirectory(path)};
}

void AddFolder(SettingsRecord& record, const std::string& path, ShareMounter& mounter,
               DestinationGroup* group) {
    if (!path.empty()) group->folders.push_back(LookAt(record, path, mounter));
}

}  // namespace

std::vector<DestinationGroup> LookAtDestinations(SettingsRecord& record, ShareMounter& mounter) {
    std::vector<DestinationGroup> groups = {
        {"接続ドライブ一括処理", {}},
        {"ファイル・ディレクトリ単位", {}},
        {"リムーバブル・メディア類の動作", {}},
    };
    AddFolder(record, record.SynchroDirectory, mounter, &groups[0]);
    AddFolder(record, record.Directry2, mounter, &groups[1]);
    for (const DriveEntry& drive : record.Drives) {
        AddFolder(record, drive.BackupDir, mounter, &groups[2]);
    }
    return groups;
}

}  // namespace tv
