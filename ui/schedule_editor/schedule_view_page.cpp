#include "ui/schedule_editor/schedule_view_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "schedule/schedule_columns.h"
#include "ui/dialog_font.h"
#include "ui/schedule_editor/schedule_sheet.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

constexpr int kNameColumn = 0;

const MnemonicKey kScheduleViewKeys[] = {
    {"schedules", 'L'}, {"new", 'N'}, {"change", 'E'}, {"delete", 'D'}};

QTreeWidget* MakeReportList(QWidget* page) {
    auto* rows = new QTreeWidget(page);
    rows->setObjectName("schedules");
    rows->setRootIsDecorated(false);
    rows->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QStringList headers;
    for (const ScheduleColumn& column : kScheduleColumns) {
        headers << QString::fromUtf8(column.header);
    }
    rows->setHeaderLabels(headers);
    for (size_t index = 0; index < kScheduleColumnCount; ++index) {
        rows->setColumnWidth(static_cast<int>(index), kScheduleColumns[index].width);
    }
    return rows;
}

}  // namespace

CScheduleViewDlg::CScheduleViewDlg(ScheduleList* list, ScheduleEditorServices services,
                                   QWidget* parent)
    : QWidget(parent),
      list_(list),
      services_(std::move(services)),
      editing_(*list, services_.context, services_.unitPages.prompts,
               [this](ScheduleEntry& entry, const RegistrationCheck& registrable) {
                   return EditInSheet(entry, registrable);
               }),
      rows_(MakeReportList(this)) {
    setFont(DialogFont());
    setWindowTitle(kScheduleViewCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeLabelFor(rows_, "登録されているスケジュール一覧", this));
    layout->addWidget(rows_, 1);
    layout->addWidget(MakeButtons());
    GiveMnemonics(this, kScheduleViewKeys);
    ShowList();
}

// The buttons are never the default, so Enter presses none of them.
QWidget* CScheduleViewDlg::MakeButtons() {
    struct Button {
        const char* text;
        const char* name;
        void (CScheduleViewDlg::*action)();
    };
    const Button buttons[] = {
        {"新規", "new", &CScheduleViewDlg::OnNew},
        {"変更", "change", &CScheduleViewDlg::OnChange},
        {"削除", "delete", &CScheduleViewDlg::OnDelete},
    };
    auto* row = new QWidget(this);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addStretch(1);
    for (const Button& entry : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(entry.text), row);
        button->setObjectName(entry.name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, entry.action);
        line->addWidget(button);
    }
    return row;
}

void CScheduleViewDlg::ShowList() {
    rows_->clear();
    for (size_t index = 0; index < list_->Count(); ++index) {
        QStringList cells;
        for (const std::string& text : ScheduleRowTexts(list_->At(index))) {
            cells << QString::fromStdString(text);
        }
        rows_->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    WidenNameColumn();
}

// Names are what tells the schedules apart: their column is as wide as the longest, never
// narrower than its heading's width; a list wider than the page scrolls.
void CScheduleViewDlg::WidenNameColumn() {
    rows_->resizeColumnToContents(kNameColumn);
    const int heading = kScheduleColumns[kNameColumn].width;
    if (rows_->columnWidth(kNameColumn) < heading) rows_->setColumnWidth(kNameColumn, heading);
}

std::optional<size_t> CScheduleViewDlg::FirstSelectedRow() const {
    for (int row = 0; row < rows_->topLevelItemCount(); ++row) {
        if (rows_->topLevelItem(row)->isSelected()) return static_cast<size_t>(row);
    }
    return std::nullopt;
}

bool CScheduleViewDlg::EditInSheet(ScheduleEntry& entry, const RegistrationCheck& registrable) {
    CScheduleSheet sheet(entry, services_, registrable, this);
    if (sheet.exec() != QDialog::Accepted) return false;
    entry.CopyFrom(sheet.working());
    return true;
}

void CScheduleViewDlg::OnNew() {
    if (editing_.AddNew()) ShowList();
}

void CScheduleViewDlg::OnChange() {
    const std::optional<size_t> row = FirstSelectedRow();
    if (row && editing_.Change(*row)) ShowList();
}

void CScheduleViewDlg::OnDelete() {
    const std::optional<size_t> row = FirstSelectedRow();
    if (row && editing_.Remove(*row)) ShowList();
}

}  // namespace tv
