// CSaveListDlg, the settings page "保存先の閲覧": the destinations of the record in a tree
// "●保存先フォルダ", and beside it the contents of the folder selected there. The tree is built
// the first time the page is shown and stays as it is while the dialog is open.
#pragma once

#include <QWidget>

#include "settings/settings_record.h"
#include "ui/settings_dialog/parts/unit_page_services.h"
#include "ui/settings_dialog/settings_page.h"

class QTreeWidget;

namespace tv {

class CFolderListCtrl;

constexpr const char* kDestinationBrowserCaption = "保存先の閲覧";
constexpr const char* kDestinationTreeRoot = "保存先一覧";
// The role of a folder item's data that tells whether the folder was found when the tree was
// built.
constexpr int kFolderFoundRole = Qt::UserRole;

class CSaveListDlg : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    // record and services must outlive the page.
    CSaveListDlg(SettingsRecord* record, const UnitPageServices& services,
                 QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildTree();
    void ShowSelectedFolder();

    SettingsRecord* record_;
    UnitPageServices services_;
    QTreeWidget* tree_;
    CFolderListCtrl* contents_;
    bool built_ = false;
};

}  // namespace tv
