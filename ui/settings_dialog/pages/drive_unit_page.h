// CFullSyncPage, the settings page "ドライブ単位": the run that mirrors whole drives. It shows
// the record it is given and copies every change into it at once; the connected-drive list
// shows which drives the run takes, and the capacity display whether the destination may hold
// them. Its start button asks the dialog to close and start the run.
#pragma once

#include <QWidget>

#include "settings/settings_record.h"
#include "ui/settings_dialog/pages/unit_page_services.h"
#include "ui/settings_dialog/settings_page.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace tv {

class CCapacityDisplay;
class CDriveListBox;
class CPageBinding;

constexpr const char* kDriveUnitPageCaption = "ドライブ単位";
// What the start button asks the dialog to close with.
constexpr int kStartDriveUnitCode = 1074;

class CFullSyncPage : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    // record and services must outlive the page.
    CFullSyncPage(SettingsRecord* record, const UnitPageServices& services,
                  QWidget* parent = nullptr);

    void Reload() override;
    void OnMediaChanged() override;
    bool DestinationMayBeTooSmall() const override { return CapacityWarning(); }

    // The destination may be too small for the drives to save (as last measured).
    bool CapacityWarning() const;
    // Inside the schedule editor the page edits a schedule's record: there is nothing to start
    // and the schedule sets the time, so the start button and the interval picker stay off.
    void SetInScheduleEditor(bool inEditor);
    // Measures the amount to save and the usable space again, off this thread.
    void UpdateCapacity();

  signals:
    void startRequested(int code);

  private:
    void ShowDrives();
    void ShowDriveSelection();
    void EnableStart();
    void ChooseDestination();
    void Start();

    SettingsRecord* record_;
    UnitPageServices services_;
    bool inScheduleEditor_ = false;
    CPageBinding* binding_ = nullptr;
    QCheckBox* allDrives_;
    QCheckBox* noCd_;
    CDriveListBox* drives_;
    QLineEdit* destination_;
    QTimeEdit* interval_;
    CCapacityDisplay* capacity_;
    QPushButton* start_;
};

}  // namespace tv
