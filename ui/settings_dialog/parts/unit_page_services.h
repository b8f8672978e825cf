// What the unit pages need from outside: the drive table, the share client for network
// destinations, whom to ask, the documents folder, the card kind of a removable medium and the
// folder picker. The dialog that makes the pages owns all of it for as long as they live.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controller/lists/drive_list_item.h"
#include "platform/drive_table.h"
#include "platform/prompts.h"
#include "platform/share_mounter.h"
#include "ui/widgets/folder_picker.h"

class QLineEdit;
class QWidget;

namespace tv {

struct UnitPageServices {
    DriveTable& drives;
    ShareMounter& mounter;
    Prompts& prompts;
    std::string documentsDir;
    // The media kind in the card name of the medium in a removable drive; nothing when it has
    // none. Left empty, no drive shows a card kind.
    std::function<std::optional<int>(char letter)> cardKindOf;
    FolderChooser chooseFolder = AskForFolder;
};

// The rows of the drive lists: the table's drives in letter order, removable drives with the
// kind of their medium's card.
std::vector<DriveListRow> PageDriveRows(const UnitPageServices& services);

// Shows the folder picker at startFolder and puts the chosen folder into edit; false when
// nothing was chosen (or the choice had no path, which the user is told).
bool PickFolderInto(QLineEdit* edit, const QString& startFolder, const UnitPageServices& services,
                    QWidget* page);

}  // namespace tv
