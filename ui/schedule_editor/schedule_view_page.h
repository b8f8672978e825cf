// CScheduleViewDlg, the settings page "スケジュール表示": every registered schedule as one row of
// a list, and the buttons "新規", "変更" and "削除" that add one through the schedule sheet,
// change the first selected one, or delete it. The page works on the list it is given, which
// the settings dialog keeps apart from the controller's until the dialog is accepted.
#pragma once

#include <QWidget>
#include <optional>

#include "schedule/schedule_editing.h"
#include "schedule/schedule_list.h"
#include "ui/schedule_editor/schedule_editor_services.h"
#include "ui/settings_dialog/settings_page.h"

class QTreeWidget;

namespace tv {

constexpr const char* kScheduleViewCaption = "スケジュール表示";

class CScheduleViewDlg : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    // list and services must outlive the page.
    CScheduleViewDlg(ScheduleList* list, ScheduleEditorServices services,
                     QWidget* parent = nullptr);

  private:
    QWidget* MakeButtons();
    void ShowList();
    void WidenNameColumn();
    std::optional<size_t> FirstSelectedRow() const;
    // Opens the sheet on entry; on OK, which only a registrable entry gets past, takes the
    // edited values into it.
    bool EditInSheet(ScheduleEntry& entry, const RegistrationCheck& registrable);
    void OnNew();
    void OnChange();
    void OnDelete();

    ScheduleList* list_;
    ScheduleEditorServices services_;
    ScheduleEditing editing_;
    QTreeWidget* rows_;
};

}  // namespace tv
