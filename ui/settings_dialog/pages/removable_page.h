// CRemovableDlg, the settings page "リムーバブル類の動作": what happens when a medium is inserted
// into a removable drive. The list holds the removable drives of the record; the radio group and
// the destination edit below it edit the selected drive's work and destination, the other
// controls the settings of every removable run. Every change goes into the record at once.
#pragma once

#include <QWidget>

#include "settings/settings_record.h"
#include "ui/settings_dialog/parts/unit_page_services.h"
#include "ui/settings_dialog/settings_page.h"

class QButtonGroup;
class QLineEdit;

namespace tv {

class CDriveListBox;
class CFolderListCtrl;
class CPageBinding;

constexpr const char* kRemovablePageCaption = "リムーバブル類の動作";

class CRemovableDlg : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    // record and services must outlive the page.
    CRemovableDlg(SettingsRecord* record, const UnitPageServices& services,
                  QWidget* parent = nullptr);

    void Reload() override;
    // Drives came or went: the same as "更新".
    void OnMediaChanged() override { Rescan(); }
    // Reads the drives again, puts every removable drive back to its default work and lists
    // them anew.
    void Rescan();

  private:
    void ShowDrives();
    void ShowSelectedDrive();
    // The selected drive's record entry; null when no drive is selected.
    DriveEntry* SelectedEntry();
    char SelectedLetter() const;
    void ChooseDestination();

    SettingsRecord* record_;
    UnitPageServices services_;
    bool showingDrive_ = false;
    CPageBinding* binding_ = nullptr;
    CDriveListBox* drives_;
    QButtonGroup* work_;
    QLineEdit* destination_;
    CFolderListCtrl* contents_;
};

}  // namespace tv
