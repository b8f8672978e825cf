#include "ui/schedule_editor/schedule_page.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "schedule/schedule_file.h"
#include "ui/dialog_font.h"
#include "ui/schedule_editor/date_dlg.h"
#include "ui/schedule_editor/week_dlg.h"
#include "ui/widgets/byte_limit_validator.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

// With those of the two panes, which take the page's place in turn.
const MnemonicKey kScheduleKeys[] = {
    {"Name", 'N'},    {"byDate", 'D'},       {"byWeekday", 'W'},
    {"RunDate", 'A'}, {"patternTitle", 'P'}, {"StartTime", 'T'},
};

}  // namespace

CSchedulePage::CSchedulePage(ScheduleEntry* entry, const DateTime& today, QWidget* parent)
    : QWidget(parent),
      entry_(entry),
      name_(new QLineEdit(QString::fromStdString(entry->Name), this)),
      kinds_(new QButtonGroup(this)),
      startTime_(new QTimeEdit(this)) {
    setFont(DialogFont());
    setWindowTitle(kSchedulePageCaption);
    name_->setObjectName("Name");
    // A longer name could not be stored in "sch.dat".
    name_->setValidator(new CByteLimitValidator(kMaxScheduleNameBytes, name_));
    startTime_->setObjectName("StartTime");
    startTime_->setDisplayFormat("HH時mm分");
    startTime_->setTime(QTime(entry->StartTime.Hour(), entry->StartTime.Minute()));

    auto* fields = new QFormLayout;
    fields->addRow(MakeLabelFor(name_, "スケジュール名", this), name_);
    auto* mode = new QGroupBox("実行モード", this);
    auto* modeLayout = new QVBoxLayout(mode);
    modeLayout->addWidget(MakeKindButtons());
    auto* start = new QFormLayout;
    start->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    start->addRow(MakeLabelFor(startTime_, "開始時刻", this), startTime_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(mode);
    layout->addWidget(MakeDetailFrame(today), 1);
    layout->addLayout(start);
    ShowKind(entry_->Kind);
    GiveMnemonics(this, kScheduleKeys);

    connect(name_, &QLineEdit::textChanged, this,
            [this](const QString& text) { entry_->Name = text.toStdString(); });
    connect(kinds_, &QButtonGroup::idClicked, this, [this](int kind) {
        entry_->Kind = static_cast<ScheduleKind>(kind);
        ShowKind(entry_->Kind);
    });
    connect(startTime_, &QTimeEdit::timeChanged, this, [this](const QTime& time) {
        entry_->StartTime = DateTime::FromTime(time.hour(), time.minute());
    });
}

QWidget* CSchedulePage::MakeKindButtons() {
    struct KindButton {
        ScheduleKind kind;
        const char* text;
        const char* name;
    };
    const KindButton buttons[] = {
        {ScheduleKind::ByDate, "日付でスケジュールを指定する", "byDate"},
        {ScheduleKind::ByWeekday, "曜日でスケジュールを指定する", "byWeekday"},
    };
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    for (const KindButton& entry : buttons) {
        auto* button = new QRadioButton(QString::fromUtf8(entry.text), box);
        button->setObjectName(entry.name);
        button->setChecked(entry_->Kind == entry.kind);
        kinds_->addButton(button, static_cast<int>(entry.kind));
        column->addWidget(button);
    }
    return box;
}

// The two panes lie over the placeholder text, in the same cell of the frame.
QGroupBox* CSchedulePage::MakeDetailFrame(const DateTime& today) {
    auto* frame = new QGroupBox("実行モードの詳細な設定", this);
    auto* cell = new QGridLayout(frame);
    cell->addWidget(new QLabel("ここに詳細設定を表示します", frame), 0, 0);
    date_ = new CDateDlg(entry_, today, frame);
    week_ = new CWeekDlg(entry_, frame);
    for (QWidget* pane : {static_cast<QWidget*>(date_), static_cast<QWidget*>(week_)}) {
        pane->setAutoFillBackground(true);  // covers the placeholder
    }
    cell->addWidget(date_, 0, 0);
    cell->addWidget(week_, 0, 0);
    return frame;
}

// A date schedule runs on the date its pane shows: a date never picked would leave the entry
// without one, and it would register and never run. A weekday schedule keeps its date as it was.
void CSchedulePage::ShowKind(ScheduleKind kind) {
    if (kind == ScheduleKind::ByDate) date_->HoldShownDate();
    date_->setVisible(kind == ScheduleKind::ByDate);
    week_->setVisible(kind == ScheduleKind::ByWeekday);
}

}  // namespace tv
