// CWholePage, the settings page "詳細設定": the options that every run shares (left column)
// and those of single kinds of run (right column). It shows the record it is given, the live
// one or a schedule's own, and copies every change into it at once.
#pragma once

#include <QWidget>

#include "platform/prompts.h"
#include "settings/settings_record.h"
#include "ui/settings_dialog/settings_page.h"
#include "ui/widgets/folder_picker.h"

namespace tv {

class CPageBinding;

constexpr const char* kDetailsPageCaption = "詳細設定";

class CWholePage : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    // record must outlive the page; prompts and chooseFolder serve the exclusion list's
    // drop-file dialog.
    CWholePage(SettingsRecord* record, Prompts& prompts, FolderChooser chooseFolder = AskForFolder,
               QWidget* parent = nullptr);

    void Reload() override;

  private:
    // The drop-file dialog on the excluded folders; files are not accepted there.
    void EditExceptList();

    SettingsRecord* record_;
    Prompts& prompts_;
    FolderChooser chooseFolder_;
    CPageBinding* binding_ = nullptr;
};

}  // namespace tv
