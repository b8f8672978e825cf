#include "ui/schedule_editor/week_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/widgets/label_for.h"

namespace tv {

namespace {

// Monday to Sunday, the bits 0 to 6 of the mask; the object names are the bit numbers.
constexpr const char* kDayLetters[] = {"月", "火", "水", "木", "金", "土", "日"};
// In the order of their RepeatPattern values 0 to 3.
constexpr const char* kPatternTexts[] = {"今回のみ", "毎週", "隔週", "毎月"};

}  // namespace

CWeekDlg::CWeekDlg(ScheduleEntry* entry, QWidget* parent)
    : QWidget(parent),
      entry_(entry),
      days_(new QButtonGroup(this)),
      patterns_(new QButtonGroup(this)) {
    days_->setExclusive(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("実行する曜日を設定します", this));
    layout->addWidget(MakeDayBoxes());
    QWidget* patterns = MakePatternButtons();
    QLabel* patternTitle = MakeLabelForChoices(patterns_, "実行パターンを設定します", this);
    patternTitle->setObjectName("patternTitle");
    layout->addWidget(patternTitle);
    layout->addWidget(patterns);
    layout->addStretch(1);
    connect(days_, &QButtonGroup::idToggled, this, [this](int bit, bool checked) {
        const auto mask = static_cast<WeekdayMask>(1u << bit);
        entry_->Weekdays = checked ? (entry_->Weekdays | mask) : (entry_->Weekdays & ~mask);
    });
    connect(patterns_, &QButtonGroup::idToggled, this, [this](int pattern, bool checked) {
        if (checked) entry_->Pattern = static_cast<RepeatPattern>(pattern);
    });
}

QWidget* CWeekDlg::MakeDayBoxes() {
    auto* row = new QWidget(this);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    for (int bit = 0; bit < static_cast<int>(std::size(kDayLetters)); ++bit) {
        auto* box = new QCheckBox(QString::fromUtf8(kDayLetters[bit]), row);
        box->setObjectName(QString("day%1").arg(bit));
        box->setChecked((entry_->Weekdays & (1u << bit)) != 0);
        days_->addButton(box, bit);
        line->addWidget(box);
    }
    line->addStretch(1);
    return row;
}

QWidget* CWeekDlg::MakePatternButtons() {
    auto* row = new QWidget(this);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    for (int pattern = 0; pattern < static_cast<int>(std::size(kPatternTexts)); ++pattern) {
        auto* button = new QRadioButton(QString::fromUtf8(kPatternTexts[pattern]), row);
        button->setObjectName(QString("pattern%1").arg(pattern));
        button->setChecked(static_cast<int>(entry_->Pattern) == pattern);
        patterns_->addButton(button, pattern);
        line->addWidget(button);
    }
    line->addStretch(1);
    return row;
}

}  // namespace tv
