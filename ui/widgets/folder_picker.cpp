#include "ui/widgets/folder_picker.h"

#include <QFileDialog>

#include "platform/win_constants.h"

namespace tv {

QUrl AskForFolder(QWidget* parent, const QString& startFolder) {
    const QUrl start = startFolder.isEmpty() ? QUrl() : QUrl::fromLocalFile(startFolder);
    return QFileDialog::getExistingDirectoryUrl(parent, "フォルダの選択", start,
                                                QFileDialog::ShowDirsOnly, {"file"});
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
