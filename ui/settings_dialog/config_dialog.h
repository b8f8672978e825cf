// CConfigDlg, "設定ダイアログ": the settings dialog. The category list on the left chooses the
// page shown on the right; the six buttons below the pages apply, cancel, reset the shown
// category or everything, load and save option files. Until the first category is chosen the
// explanation page covers the page area and the button row. The pages edit the live record
// directly; what the buttons decide is ConfigFrame's.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controller/settings_dialog/config_frame.h"
#include "schedule/schedule_list.h"
#include "ui/settings_dialog/parts/unit_page_services.h"

class QPushButton;

namespace tv {

class CButtonList;
class COptListDlg;

constexpr const char* kConfigDialogCaption = "設定ダイアログ";
// The bottom buttons beside the end codes kEndApply and kEndCancel.
constexpr int kIdResetCategory = 1075;
constexpr int kIdResetAll = 1004;
constexpr int kIdLoadOptions = 1102;
constexpr int kIdSaveOptions = 1103;
// The category list's control id, also its object name.
constexpr int kIdCategoryList = 1234;
constexpr const char* kHelpFileName = "TessaravineVer1.html";

struct ConfigDialogServices {
    const SettingsContext& context;
    Prompts& prompts;
    CopyRunner& copyRunner;
    // Opens the help page at path; OpenWithDesktop unless a test watches.
    std::function<void(const std::string& path)> openHelp;
    // What the three unit pages and the destination browser reach; without it (tests of the
    // frame alone) they are left out.
    const UnitPageServices* unitPages = nullptr;
    // The controller's schedules. The schedule page edits a copy, which replaces them only when
    // the dialog ends accepting after the user changed it, so a cancelled dialog leaves them as
    // they were. Without them (or without unitPages) there is no schedule page.
    ScheduleList* schedules = nullptr;
};

// Hands path to the desktop's default application; a missing file is only reported on the
// standard error stream.
void OpenWithDesktop(const std::string& path);

class CConfigDlg : public QDialog, private ConfigPages {
    Q_OBJECT
  public:
    // live must outlive the dialog.
    CConfigDlg(SettingsRecord* live, ConfigDialogServices services, QWidget* parent = nullptr);
    ~CConfigDlg() override;

    // Drives came or went: every page brings its drive lists up to date, twice over.
    void OnMediaChanged();
    // A unit page's start button (kMessageStartRun): ends the dialog with parameter when the
    // removable destination check lets it close.
    void OnStartRun(int parameter);
    // Chooses the category of the activity log, as a click would, with day ("yyyy/mm/dd") shown.
    void ShowActivityLog(const std::string& day);
    // The close box and the cancel button: the record is put back as it was at the opening.
    void reject() override;
    // The copy of the schedules that the schedule page edits; null without schedules.
    ScheduleList* EditedSchedules() { return editedSchedules_.get(); }
    // Every end: the size the user gave the dialog is kept for its next opening.
    void done(int code) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct PageSlot {
        int itemId;
        QWidget* widget;
    };

    void BuildPages();
    void BuildButtons();
    void PlaceParts();
    std::string SizeFilePath() const;
    void OpenAtRememberedSize();
    void RememberSize() const;
    void OrderTabs();
    void FocusShownPage();
    void OnCategoryClicked();
    void ShowPageCaptioned(const QString& caption);
    void SetButtonsShown(bool shown);
    void OnButton(int id);
    void EndIfDecided(std::optional<int> endCode);
    void HandBackEditedSchedules();
    void LoadOptions();
    void SaveOptions();
    const PageSlot* SlotOf(int itemId) const;

    void ReloadPage(int itemId) override;
    void SetNetworkTexts(const SettingsRecord& record) override;
    void SetSettingsListText(const std::string& text) override;
    bool DestinationMayBeTooSmall(int itemId) const override;

    SettingsRecord* live_;
    ConfigDialogServices services_;
    std::unique_ptr<ScheduleList> editedSchedules_;
    std::string openedSchedules_;  // the stored form of the copy as the dialog opened
    std::unique_ptr<ConfigFrame> frame_;
    std::vector<PageSlot> pages_;
    int shownIndex_ = -1;
    QWidget* explanation_ = nullptr;
    COptListDlg* optionList_ = nullptr;
    CButtonList* categories_ = nullptr;
    std::vector<QPushButton*> buttons_;
    QPixmap background_;
    QSize openedSize_;
};

}  // namespace tv
