#include "ui/schedule_editor/date_dlg.h"

#include <QDateEdit>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/widgets/label_for.h"

namespace tv {

namespace {

QDate QDateOf(const DateTime& date) { return QDate(date.Year(), date.Month(), date.Day()); }

}  // namespace

CDateDlg::CDateDlg(ScheduleEntry* entry, const DateTime& today, QWidget* parent)
    : QWidget(parent), entry_(entry), picker_(new QDateEdit(this)) {
    picker_->setObjectName("RunDate");
    picker_->setDisplayFormat("yyyy年MM月dd日");
    picker_->setCalendarPopup(true);
    picker_->setDate(QDateOf(entry_->RunDate.IsValid() ? entry_->RunDate : today));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeLabelFor(picker_, "実行する日付を設定します", this));
    layout->addWidget(picker_);
    layout->addStretch(1);
    connect(picker_, &QDateEdit::dateChanged, this, &CDateDlg::StoreDate);
}

void CDateDlg::HoldShownDate() {
    const QDate date = picker_->date();
    entry_->RunDate = DateTime::FromParts(date.year(), date.month(), date.day());
}

// A date is run once, so its pattern becomes Once whatever the weekday pane chose.
void CDateDlg::StoreDate() {
    HoldShownDate();
    entry_->Pattern = RepeatPattern::Once;
}

}  // namespace tv
