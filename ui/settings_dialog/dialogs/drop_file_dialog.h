// CDropFileDlg, "ファイル/フォルダの選択": edits a list of files and folders of the settings
// record. Paths come in dropped from the file manager or through the folder picker; every
// action leaves one line in the message box below the list. OK replaces the list by the items
// in their order; キャンセル leaves it as it was.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/prompts.h"
#include "ui/widgets/folder_picker.h"

class QListWidget;
class QPlainTextEdit;

namespace tv {

constexpr const char* kDropFileDialogCaption = "ファイル/フォルダの選択";

class CDropFileDlg : public QDialog {
    Q_OBJECT
  public:
    // list: edited on OK, must outlive the dialog. filesAccepted: files may be added, not only
    // folders. prompts: where the picker's warning goes.
    CDropFileDlg(std::vector<std::string>* list, bool filesAccepted, Prompts& prompts,
                 FolderChooser chooseFolder = AskForFolder, QWidget* parent = nullptr);

    // What a drop does with its paths: each folder, and each file when files are accepted, is
    // added as by AddPath.
    void OfferDropped(const std::vector<std::string>& paths);
    // Adds path without its trailing separator, unless the same text is listed already or the
    // path does not exist; either way the message box tells what happened.
    void AddPath(const std::string& path);

    void accept() override;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void ChooseFolder();
    void DeleteSelected();
    void Tell(const QString& line);

    std::vector<std::string>* list_;
    bool filesAccepted_;
    Prompts& prompts_;
    FolderChooser chooseFolder_;
    QListWidget* items_;
    QPlainTextEdit* messages_;
};

}  // namespace tv
