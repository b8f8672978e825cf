#include "ui/schedule_editor/schedule_sheet.h"

#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

#include "ui/dialog_font.h"
#include "ui/schedule_editor/schedule_page.h"
#include "ui/settings_dialog/pages/drive_unit_page.h"
#include "ui/settings_dialog/pages/file_dir_page.h"
#include "ui/widgets/accept_cancel_row.h"
#include "ui/widgets/screen_fit.h"

namespace tv {

namespace {

// Inside the sheet the unit pages have nothing to start and no interval of their own.
template <typename Page>
Page* MakeScheduleUnitPage(SettingsRecord* record, const UnitPageServices& services,
                           QWidget* parent) {
    auto* page = new Page(record, services, parent);
    page->SetInScheduleEditor(true);
    return page;
}

}  // namespace

CScheduleSheet::CScheduleSheet(const ScheduleEntry& entry, const ScheduleEditorServices& services,
                               RegistrationCheck registrable, QWidget* parent)
    : QDialog(parent),
      working_(entry),
      registrable_(std::move(registrable)),
      tabs_(new QTabWidget(this)) {
    setFont(DialogFont());
    setWindowTitle(kScheduleSheetCaption);
    SettingsRecord* record = &working_.Settings;
    AddPage(new CSchedulePage(&working_, services.context.clock.NowDateTime(), tabs_),
            kSchedulePageCaption);
    AddPage(MakeScheduleUnitPage<CFullSyncPage>(record, services.unitPages, tabs_),
            kDriveUnitPageCaption);
    AddPage(MakeScheduleUnitPage<CFileDirPage>(record, services.unitPages, tabs_),
            kFileDirPageCaption);
    for (const ScheduleSheetPage& extra : services.extraPages) {
        AddPage(extra.make(record, tabs_), extra.caption);
    }
    // Every tab in sight: the sheet widens to its tabs rather than hiding one behind arrows.
    tabs_->setUsesScrollButtons(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScrollingWhenCramped(tabs_, this));
    layout->addLayout(MakeAcceptCancelRow(*this, "OK"));
    FitToAvailableScreen(*this);
}

void CScheduleSheet::accept() {
    if (registrable_(working_)) QDialog::accept();
}

void CScheduleSheet::AddPage(QWidget* page, const char* caption) {
    tabs_->addTab(page, QString::fromUtf8(caption));
}

}  // namespace tv
