#include "ui/widgets/folder_picker.h"

#include <QFileDialog>

#include "platform/win_constants.h"
#include "ui/widgets/japanese_file_dialog.h"

namespace tv {

QUrl AskForFolder(QWidget* parent, const QString& startFolder) {
    QFileDialog dialog(parent, "フォルダの選択", startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setSupportedSchemes({"file"});
    DressInJapanese(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedUrls().isEmpty()) return QUrl();
    return dialog.selectedUrls().first();
}

std::optional<std::string> ChosenFolderPath(const QUrl& choice, Prompts& prompts) {
    if (choice.isEmpty()) return std::nullopt;
    if (!choice.isLocalFile() || choice.toLocalFile().isEmpty()) {
        prompts.MessageBox("パス名が認識できません。", "", kMbOk | kMbIconExclamation);
        return std::nullopt;
    }
    return choice.toLocalFile().toStdString();
}

}  // namespace tv
