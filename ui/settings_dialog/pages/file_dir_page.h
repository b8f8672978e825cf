// CFileDirPage, the settings page "ファイル・ディレクトリ単位": the run that mirrors chosen files
// and folders (FileList) and chosen whole drives. It shows the record it is given and copies
// every change into it at once; selecting a drive in its list makes the drive a source of the
// run. Its start button asks the dialog to close and start the run.
#pragma once

#include <QWidget>

#include "settings/settings_record.h"
#include "ui/settings_dialog/pages/unit_page_services.h"
#include "ui/settings_dialog/settings_page.h"

class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace tv {

class CCapacityDisplay;
class CDriveListBox;
class CPageBinding;

constexpr const char* kFileDirPageCaption = "ファイル・ディレクトリ単位";
constexpr int kStartFileDirCode = 1078;

class CFileDirPage : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    // record and services must outlive the page.
    CFileDirPage(SettingsRecord* record, const UnitPageServices& services,
                 QWidget* parent = nullptr);

    void Reload() override;
    void OnMediaChanged() override;
    bool DestinationMayBeTooSmall() const override { return CapacityWarning(); }

    bool CapacityWarning() const;
    // As on the drive unit page: inside the schedule editor nothing starts from here.
    void SetInScheduleEditor(bool inEditor);
    void UpdateCapacity();

    // Edits FileList in the drop-file dialog (modal), then measures again.
    void EditFileList();

  signals:
    void startRequested(int code);

  private:
    void ShowDrives();
    // Each listed drive's Work follows its item: a source when selected, none when not.
    void StoreDriveSelection();
    std::vector<char> SelectedDrives() const;
    void EnableStart();
    void ChooseDestination();
    void Start();

    SettingsRecord* record_;
    UnitPageServices services_;
    bool inScheduleEditor_ = false;
    bool showingDrives_ = false;
    CPageBinding* binding_ = nullptr;
    CDriveListBox* drives_;
    QLineEdit* destination_;
    QTimeEdit* interval_;
    CCapacityDisplay* capacity_;
    QPushButton* start_;
};

}  // namespace tv
