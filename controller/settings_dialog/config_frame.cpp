#include "controller/settings_dialog/config_frame.h"

#include "controller/runners/relocation_run.h"
#include "controller/settings_dialog/categories.h"
#include "platform/win_constants.h"
#include "settings/option_file.h"
#include "settings/settings_defaults.h"
#include "settings/settings_summary.h"

namespace tv {

namespace {

constexpr const char* kConfirmCaption = "確認";
constexpr const char* kAskSaveShortOfSpace =
    "転送先の容量が足りない可能性があります\n設定を保存しますか？";
constexpr const char* kAskResetAll = "設定を初期化します。\nよろしいですか？";

// The unit pages that reload after a whole-record change; the network page takes its texts.
constexpr int kUnitPages[] = {kItemDriveUnit, kItemFileDir, kItemRemovable, kItemDetails};

struct CategoryReset {
    int itemId;
    void (*reset)(SettingsRecord&, const SettingsContext&);
};

const CategoryReset kCategoryResets[] = {
    {kItemDriveUnit, ResetDriveUnit},
    {kItemFileDir, ResetFileDirUnit},
    {kItemRemovable, ResetRemovable},
    {kItemDetails, [](SettingsRecord& record, const SettingsContext&) { ResetDetails(record); }},
    {kItemNetwork,
     [](SettingsRecord& record, const SettingsContext&) { ClearCredentials(record); }},
};

const CategoryReset* ResetOf(int itemId) {
    for (const CategoryReset& entry : kCategoryResets) {
        if (entry.itemId == itemId) return &entry;
    }
    return nullptr;
}

std::string DestinationChangedText(char letter) {
    return std::string(1, letter) +
           "ドライブの保存先が変更されました\r\nコピーまたは移動を行いますか？";
}

}  // namespace

ConfigFrame::ConfigFrame(SettingsRecord& live, const SettingsContext& context, Prompts& prompts,
                         CopyRunner& copyRunner, ConfigPages& pages)
    : live_(live), context_(context), prompts_(prompts), copyRunner_(copyRunner), pages_(pages) {}

void ConfigFrame::Open() {
    backup_ = live_;
    RefreshSettingsList();
}

std::optional<int> ConfigFrame::Apply() {
    if (pages_.DestinationMayBeTooSmall(kItemDriveUnit) ||
        pages_.DestinationMayBeTooSmall(kItemFileDir)) {
        const int answer = prompts_.MessageBox(kAskSaveShortOfSpace, kConfirmCaption,
                                               kMbYesNo | kMbIconExclamation);
        if (answer == kIdNo) return std::nullopt;
    }
    if (!CheckRemovableDestinations()) return std::nullopt;
    return kEndApply;
}

int ConfigFrame::Cancel() {
    live_ = backup_;
    return kEndCancel;
}

std::optional<int> ConfigFrame::OnStartRun(int parameter) {
    if (parameter != kEndRunDriveUnit && parameter != kEndRunFileDir) return std::nullopt;
    if (!CheckRemovableDestinations()) return std::nullopt;
    return parameter;
}

void ConfigFrame::ResetCategory(int itemId) {
    if (itemId == kItemNone) return;
    if (const CategoryReset* entry = ResetOf(itemId)) {
        entry->reset(live_, context_);
        if (itemId == kItemNetwork) {
            pages_.SetNetworkTexts(live_);
        } else {
            pages_.ReloadPage(itemId);
        }
    }
    RefreshSettingsList();
}

void ConfigFrame::ResetAll() {
    if (prompts_.MessageBox(kAskResetAll, kConfirmCaption, kMbYesNo | kMbIconQuestion) != kIdYes) {
        return;
    }
    ResetToDefaults(live_, context_);
    ShowWholeRecord();
}

bool ConfigFrame::LoadOptions(const std::string& path) {
    if (!ImportOptions(path, live_, prompts_)) return false;
    ShowWholeRecord();
    return true;
}

bool ConfigFrame::SaveOptions(const std::string& path) const { return ExportOptions(live_, path); }

bool ConfigFrame::CheckRemovableDestinations() {
    for (int index = 0; index < kDriveLetterCount; ++index) {
        if (live_.Drives[index].BackupDir == backup_.Drives[index].BackupDir) continue;
        switch (prompts_.AskCopyOrMove(DestinationChangedText(DriveLetterAt(index)))) {
            case CopyOrMove::Cancel:
                return false;
            case CopyOrMove::Copy:
                Relocate(index, false);
                break;
            case CopyOrMove::Move:
                Relocate(index, true);
                break;
            case CopyOrMove::DontCopy:
                break;
        }
    }
    return true;
}

// A failure is reported by the run itself; the dialog closes all the same.
void ConfigFrame::Relocate(int driveIndex, bool move) {
    RunBackupRelocation(copyRunner_, live_, backup_.Drives[driveIndex].BackupDir,
                        live_.Drives[driveIndex].BackupDir, move);
}

void ConfigFrame::ShowWholeRecord() {
    for (int itemId : kUnitPages) pages_.ReloadPage(itemId);
    pages_.SetNetworkTexts(live_);
    RefreshSettingsList();
}

void ConfigFrame::RefreshSettingsList() { pages_.SetSettingsListText(BuildSettingsSummary(live_)); }

}  // namespace tv
