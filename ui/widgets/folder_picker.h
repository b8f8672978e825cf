// The folder picker of the settings pages and the drop-file dialog ("フォルダの選択"): file-system
// folders only, with an edit box. The choice comes back as a URL, so that one without a
// file-system path can be told apart from a cancelled choice.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "platform/prompts.h"

namespace tv {

// Shows the picker at startFolder ("" for the picker's default); an empty URL when cancelled.
using FolderChooser = std::function<QUrl(QWidget* parent, const QString& startFolder)>;
QUrl AskForFolder(QWidget* parent, const QString& startFolder);

// The local path of a choice; nothing when cancelled, and nothing after the warning
// "パス名が認識できません。" when the choice has no file-system path.
std::optional<std::string> ChosenFolderPath(const QUrl& choice, Prompts& prompts);

}  // namespace tv
