// What the drive unit page and the file/directory page share: a unit run that the page can start,
// with an interval, a destination, the capacity display and the start button. The page shows the
// record it is given and copies every change into it at once; its start button, after the
// capacity question, asks the dialog to close and start the run.
#pragma once

#include <QWidget>

#include "controller/settings_dialog/capacity_figures.h"
#include "settings/settings_record.h"
#include "ui/settings_dialog/page_binding.h"
#include "ui/settings_dialog/parts/unit_page_services.h"
#include "ui/settings_dialog/settings_page.h"

class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace tv {

class CCapacityDisplay;
class CDriveListBox;

class CStartingUnitPage : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    void Reload() override;
    void OnMediaChanged() override { ShowDrives(); }
    bool DestinationMayBeTooSmall() const override { return CapacityWarning(); }

    // The destination may be too small for what the run saves (as last measured).
    bool CapacityWarning() const;
    // Inside the schedule editor the page edits a schedule's record: there is nothing to start
    // and the schedule sets the time, so the start button and the interval picker stay off.
    void SetInScheduleEditor(bool inEditor);
    // Measures the amount to save and the usable space again, off this thread.
    virtual void UpdateCapacity() = 0;

  signals:
    void startRequested(int code);

  protected:
    // startCode: what the start button asks the dialog to close with; intervalField names the
    // interval picker.
    CStartingUnitPage(SettingsRecord* record, const UnitPageServices& services, int startCode,
                      OverflowFrom overflow, const char* intervalField, QWidget* parent);

    // Ties the controls in table to the record; called once the page has built them.
    void Bind(BindingTable table);
    // Lists the drives and shows which the run takes.
    virtual void ShowDrives() = 0;
    // Whether the run has anything to do, which the start button needs besides being outside
    // the schedule editor.
    virtual bool HasWork() const = 0;
    void EnableStart();
    void ChooseDestination();

    SettingsRecord* record_;
    UnitPageServices services_;
    CDriveListBox* drives_;
    QTimeEdit* interval_;
    CCapacityDisplay* capacity_;
    QPushButton* start_;
    QLineEdit* destination_ = nullptr;

  private:
    void Start();

    int startCode_;
    bool inScheduleEditor_ = false;
    CPageBinding* binding_ = nullptr;
};

}  // namespace tv
