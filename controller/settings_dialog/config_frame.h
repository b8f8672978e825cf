// The settings dialog's decisions, apart from its widgets: the backup taken at the opening, the
// bottom buttons (apply, cancel, reset one category, reset all, load, save), the start requests
// of the unit pages and the check that offers to copy or move a removable drive's old backups
// when its destination changed. The Qt dialog CConfigDlg shows the pages and calls this.
#pragma once

#include <optional>
#include <string>

#include "controller/ports/copy_runner.h"
#include "platform/prompts.h"
#include "settings/settings_context.h"
#include "settings/settings_record.h"

namespace tv {

// How the dialog ends: the apply button, the unit pages' start buttons, and cancel.
constexpr int kEndApply = 1002;
constexpr int kEndRunDriveUnit = 1074;
constexpr int kEndRunFileDir = 1078;
constexpr int kEndCancel = 2;
// The unit pages' start request; its parameter is kEndRunDriveUnit or kEndRunFileDir.
constexpr unsigned kMessageStartRun = 0x5220;

// What the frame needs of the pages the dialog shows.
class ConfigPages {
  public:
    virtual ~ConfigPages() = default;
    // Shows the record again on the page of the category itemId (a page not built yet: nothing).
    virtual void ReloadPage(int itemId) = 0;
    // Puts the record's four network texts into the network page's edits.
    virtual void SetNetworkTexts(const SettingsRecord& record) = 0;
    virtual void SetSettingsListText(const std::string& text) = 0;
    // True when the unit page of itemId finds that its destination may be too small.
    virtual bool DestinationMayBeTooSmall(int itemId) const = 0;
};

class ConfigFrame {
  public:
    // live, prompts, copyRunner and pages must outlive the frame.
    ConfigFrame(SettingsRecord& live, const SettingsContext& context, Prompts& prompts,
                CopyRunner& copyRunner, ConfigPages& pages);

    // The dialog's opening: keeps a copy of the live record for Cancel and fills the settings
    // list page.
    void Open();
    // The end code kEndApply, or nothing when the user chose to stay in the dialog.
    std::optional<int> Apply();
    // Puts the record back as it was at the opening; the end code kEndCancel.
    int Cancel();
    // A unit page's start button: its code when the dialog may close, nothing otherwise (also
    // for a parameter that is not a start code).
    std::optional<int> OnStartRun(int parameter);
    // The reset button for the category itemId; kItemNone and categories without settings of
    // their own reset nothing.
    void ResetCategory(int itemId);
    // The reset-all button, after the user's Yes.
    void ResetAll();
    // Reads an option file into the live record and shows it; false when it was not read.
    bool LoadOptions(const std::string& path);
    bool SaveOptions(const std::string& path) const;

    const SettingsRecord& backup() const { return backup_; }

  private:
    // Offers to copy or move the old backups of every drive whose destination changed; false
    // when the user cancelled.
    bool CheckRemovableDestinations();
    void Relocate(int driveIndex, bool move);
    void ShowWholeRecord();
    void RefreshSettingsList();

    SettingsRecord& live_;
    SettingsRecord backup_;
    const SettingsContext& context_;
    Prompts& prompts_;
    CopyRunner& copyRunner_;
    ConfigPages& pages_;
};

}  // namespace tv
