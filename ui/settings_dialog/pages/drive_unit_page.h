// CFullSyncPage, the settings page "ドライブ単位": the run that mirrors whole drives. It shows
// the record it is given and copies every change into it at once; the connected-drive list
// shows which drives the run takes, and the capacity display whether the destination may hold
// them. Its start button asks the dialog to close and start the run.
#pragma once

#include "ui/settings_dialog/pages/starting_unit_page.h"

class QCheckBox;

namespace tv {

constexpr const char* kDriveUnitPageCaption = "ドライブ単位";
// What the start button asks the dialog to close with.
constexpr int kStartDriveUnitCode = 1074;

class CFullSyncPage : public CStartingUnitPage {
    Q_OBJECT
  public:
    // record and services must outlive the page.
    CFullSyncPage(SettingsRecord* record, const UnitPageServices& services,
                  QWidget* parent = nullptr);

    void UpdateCapacity() override;

  private:
    void ShowDrives() override;
    bool HasWork() const override;
    void ShowDriveSelection();

    QCheckBox* allDrives_;
    QCheckBox* noCd_;
};

}  // namespace tv
