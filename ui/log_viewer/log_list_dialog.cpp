#include "ui/log_viewer/log_list_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeView>
#include <QVBoxLayout>

#include "log/log_day_list.h"
#include "log/log_store.h"
#include "ui/dialog_font.h"
#include "ui/log_viewer/log_row_icons.h"
#include "ui/log_viewer/log_table_model.h"
#include "ui/widgets/category_list_box.h"
#include "ui/widgets/label_for.h"

namespace tv {

namespace {

constexpr int kStepIntervalMs = 2;
constexpr int kColumnWidth = 100;
constexpr int kRecognitionColumn = 2;
constexpr int kEmptyColumnWidth = 50;
constexpr int kDayListWidth = 96;
constexpr int kCounterWidth = 56;
// The list of days and the table have no labels of their own; a screen reader says these.
constexpr const char* kDayListName = "日付";

const CategoryListColors kDayListColors{
    QColor(0xED, 0xF3, 0xFC),
    QColor(0xC7, 0xD9, 0xFA),
    QColor(0x33, 0x33, 0xFF),
    QColor(0x64, 0x86, 0xDC),
};

struct CounterControl {
    int id;
    const char* label;
};

// In the order of their numbers in LogCounters.
constexpr CounterControl kCounterControls[] = {
    {kIdBackupCounter, "BACKuP"},
    {kIdMirroringCounter, "MiRRoR"},
    {kIdSkipCounter, "SKiP"},
    {kIdErrorCounter, "ERR"},
};

}  // namespace

CLogListDlg::CLogListDlg(const std::string& programDir, const Clock& clock, QWidget* parent,
                         LogLoadBudget budget)
    : QWidget(parent),
      programDir_(programDir),
      clock_(clock),
      budget_(budget),
      loader_(programDir) {
    setFont(DialogFont());
    setWindowTitle(kLogListPageCaption);
    BuildDayList();
    BuildTable();
    auto* lists = new QHBoxLayout;
    lists->addWidget(days_);
    lists->addWidget(table_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(BuildCounters());
    timer_.setInterval(kStepIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &CLogListDlg::LoadStep);
}

// The timer is a member: it stops with the page.
CLogListDlg::~CLogListDlg() = default;

void CLogListDlg::BuildDayList() {
    days_ = new CCategoryListBox(this);
    days_->setObjectName(QString::number(kIdLogDayList));
    days_->SetColors(kDayListColors);
    days_->setFixedWidth(kDayListWidth);
    days_->setAccessibleName(kDayListName);
    connect(days_, &QListWidget::currentRowChanged, this, &CLogListDlg::OnDayChosen);
}

void CLogListDlg::BuildTable() {
    table_ = new QTreeView(this);
    table_->setObjectName(QString::number(kIdLogTable));
    table_->setAccessibleName(kLogListPageCaption);
    model_ = new LogTableModel(loader_, this);
    table_->setModel(model_);
    table_->setRootIsDecorated(false);
    table_->setItemsExpandable(false);
    table_->setUniformRowHeights(true);
    table_->setAllColumnsShowFocus(true);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setIconSize(QSize(kLogRowIconSize, kLogRowIconSize));
    table_->header()->setStretchLastSection(false);
    table_->header()->setSectionsMovable(false);
    for (int column = 0; column < LogRecord::kFieldCount; ++column) {
        table_->setColumnWidth(column, kColumnWidth);
    }
}

QWidget* CLogListDlg::BuildCounters() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const CounterControl& control : kCounterControls) {
        auto* edit = new QLineEdit(row);
        layout->addWidget(MakeLabelFor(edit, control.label, row));
        // A count to read: Tab passes it by.
        edit->setFocusPolicy(Qt::ClickFocus);
        edit->setObjectName(QString::number(control.id));
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(kCounterWidth);
        layout->addWidget(edit);
        counters_.push_back(edit);
    }
    layout->addStretch(1);
    return row;
}

void CLogListDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FillDayList();
    LoadDay(firstDay_.empty() ? clock_.NowDateTime().Format("%Y/%m/%d") : firstDay_);
}

void CLogListDlg::ShowDay(const std::string& day) {
    if (!shown_) {
        firstDay_ = day;
        return;
    }
    FillDayList();
    LoadDay(day);
}

void CLogListDlg::FillDayList() {
    const QSignalBlocker quiet(days_);
    days_->clear();
    for (const std::string& item : LogDayListItems(LogStore(programDir_))) {
        days_->AddItem(QString::fromStdString(item));
    }
}

void CLogListDlg::OnDayChosen(int row) {
    const QListWidgetItem* item = days_->item(row);
    if (item == nullptr) return;
    const std::string day = item->text().toStdString();
    if (day == kLogDayListHeading || day == loader_.Day()) return;
    LoadDay(day);
}

void CLogListDlg::LoadDay(const std::string& day) {
    timer_.stop();
    const bool opened = loader_.Start(day);
    model_->Refresh();
    ShowCounters();
    SelectDayItem(day);
    if (opened) timer_.start();
}

// Marks the day's item in the list (none when the day has no file), without choosing it again.
void CLogListDlg::SelectDayItem(const std::string& day) {
    std::vector<std::string> items;
    for (int row = 0; row < days_->count(); ++row) {
        items.push_back(days_->item(row)->text().toStdString());
    }
    const QSignalBlocker quiet(days_);
    days_->setCurrentRow(LogDayListIndexOf(items, day));
}

void CLogListDlg::LoadStep() {
    const size_t shown = loader_.Step(budget_);
    if (!loader_.Loading()) {
        FinishLoading();
        return;
    }
    model_->RowsAppended(static_cast<int>(shown));
    ShowCounters();
}

void CLogListDlg::FinishLoading() {
    timer_.stop();
    table_->setUpdatesEnabled(false);
    model_->Refresh();
    SetColumnWidths();
    ShowCounters();
    table_->setFocus();
    table_->setUpdatesEnabled(true);
}

// Every column as wide as its contents, but a fixed width for the recognition column; narrow
// columns when the day has no rows.
void CLogListDlg::SetColumnWidths() {
    const bool hasRows = model_->rowCount() > 0;
    for (int column = 0; column < LogRecord::kFieldCount; ++column) {
        if (!hasRows) {
            table_->setColumnWidth(column, kEmptyColumnWidth);
        } else if (column == kRecognitionColumn) {
            table_->setColumnWidth(column, kColumnWidth);
        } else {
            table_->resizeColumnToContents(column);
        }
    }
}

void CLogListDlg::ShowCounters() {
    const LogCounters& counts = loader_.Counters();
    const uint64_t values[] = {counts.backups, counts.mirrorings, counts.skips, counts.errors};
    for (size_t index = 0; index < counters_.size(); ++index) {
        counters_[index]->setText(QString::number(values[index]));
    }
}

}  // namespace tv
