#include "ui/settings_dialog/parts/unit_page_services.h"

#include <QLineEdit>

#include "platform/win_constants.h"

namespace tv {

std::vector<DriveListRow> PageDriveRows(const UnitPageServices& services) {
    std::vector<DriveListRow> rows = DriveListRows(services.drives);
    if (!services.cardKindOf) return rows;
    for (DriveListRow& row : rows) {
        if (row.type == kDriveRemovable) row.cardKind = services.cardKindOf(row.letter);
    }
    return rows;
}

bool PickFolderInto(QLineEdit* edit, const QString& startFolder, const UnitPageServices& services,
                    QWidget* page) {
    const std::optional<std::string> folder =
        ChosenFolderPath(services.chooseFolder(page, startFolder), services.prompts);
    if (!folder) return false;
    edit->setText(QString::fromStdString(*folder));
    return true;
}

}  // namespace tv
