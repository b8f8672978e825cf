// CFileDirPage, the settings page "ファイル・ディレクトリ単位": the run that mirrors chosen files
// and folders (FileList) and chosen whole drives. It shows the record it is given and copies
// every change into it at once; selecting a drive in its list makes the drive a source of the
// run. Its start button asks the dialog to close and start the run.
#pragma once

#include <vector>

#include "ui/settings_dialog/pages/starting_unit_page.h"

namespace tv {

constexpr const char* kFileDirPageCaption = "ファイル・ディレクトリ単位";
constexpr int kStartFileDirCode = 1078;

class CFileDirPage : public CStartingUnitPage {
    Q_OBJECT
  public:
    // record and services must outlive the page.
    CFileDirPage(SettingsRecord* record, const UnitPageServices& services,
                 QWidget* parent = nullptr);

    void UpdateCapacity() override;
    // Edits FileList in the drop-file dialog (modal), then measures again.
    void EditFileList();

  private:
    void ShowDrives() override;
    bool HasWork() const override;
    // Each listed drive's Work follows its item: a source when selected, none when not.
    void StoreDriveSelection();
    std::vector<char> SelectedDrives() const;

    bool showingDrives_ = false;
};

}  // namespace tv
