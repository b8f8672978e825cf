#include "ui/settings_dialog/page_binding.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <cctype>
#include <limits>
#include <optional>
#include <utility>

#include "settings/stored_units.h"

namespace tv {

namespace {

bool ShowsDate(const QDateTimeEdit& picker) {
    return (picker.displayedSections() & QDateTimeEdit::DateSections_Mask) != 0;
}

// A time-only picker shows the time of day of the field; any other shows the whole value.
void ShowDateTime(QDateTimeEdit* picker, const DateTime& value) {
    if (!value.IsValid()) {
        picker->setDateTime(picker->minimumDateTime());
        return;
    }
    const QTime time(value.Hour(), value.Minute(), value.Second());
    if (!ShowsDate(*picker)) {
        picker->setTime(time);
        return;
    }
    picker->setDateTime(QDateTime(QDate(value.Year(), value.Month(), value.Day()), time));
}

// A time-only picker gives a time of day on 1899-12-30, as intervals are stored.
DateTime ShownDateTime(const QDateTimeEdit& picker) {
    const QTime time = picker.time();
    if (!ShowsDate(picker)) return DateTime::FromTime(time.hour(), time.minute(), time.second());
    const QDate date = picker.date();
    return DateTime::FromParts(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                               time.second());
}

// The day of an unset field is the first.
void ShowDay(QDateTimeEdit* picker, const DateTime& value) {
    const DateTime day = DateOfDayCount(value.IsValid() ? DayCountOf(value) : 1);
    picker->setDate(QDate(day.Year(), day.Month(), day.Day()));
}

void ShowList(QComboBox* list, const std::vector<std::string>& texts) {
    QStringList items;
    for (const std::string& text : texts) items << QString::fromStdString(text);
    list->clear();
    list->addItems(items);
}

QString NumberText(int32_t value) { return QString::asprintf("%d", value); }

// Nothing when the text is no decimal integer within the range of the field.
std::optional<int32_t> WholeInteger(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

}  // namespace

int32_t LeadingNumber(const std::string& text) {
    int64_t value = 0;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) break;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int32_t>::max()) {
            return std::numeric_limits<int32_t>::max();
        }
    }
    return static_cast<int32_t>(value);
}

CPageBinding::CPageBinding(BindingTable table, QObject* page)
    : QObject(page), table_(std::move(table)) {}

void CPageBinding::Load(const SettingsRecord& record) {
    loading_ = true;
    for (const TextBinding& binding : table_.texts) {
        binding.edit->setText(QString::fromStdString(record.*binding.field));
    }
    for (const CheckBinding& binding : table_.checks) {
        binding.box->setChecked(record.*binding.field != 0);
    }
    for (const SliderBinding& binding : table_.sliders) {
        binding.slider->setValue(record.*binding.field);
    }
    for (const NumberBinding& binding : table_.numbers) {
        binding.edit->setText(NumberText(record.*binding.field));
    }
    for (const DateTimeBinding& binding : table_.dateTimes) {
        ShowDateTime(binding.picker, record.*binding.field);
    }
    for (const ChoiceBinding& binding : table_.choices) {
        QAbstractButton* button = binding.group->button(record.*binding.field);
        if (button != nullptr) button->setChecked(true);
    }
    for (const IndexBinding& binding : table_.indexes) {
        binding.list->setCurrentIndex(record.*binding.field);
    }
    for (const DayBinding& binding : table_.days) ShowDay(binding.picker, record.*binding.field);
    for (const ListBinding& binding : table_.lists) ShowList(binding.list, record.*binding.field);
    loading_ = false;
}

void CPageBinding::Store(SettingsRecord& record) const {
    for (const TextBinding& binding : table_.texts) StoreText(binding, record);
    for (const CheckBinding& binding : table_.checks) StoreCheck(binding, record);
    for (const SliderBinding& binding : table_.sliders) StoreSlider(binding, record);
    for (const NumberBinding& binding : table_.numbers) StoreNumber(binding, record);
    for (const DateTimeBinding& binding : table_.dateTimes) StoreDateTime(binding, record);
    for (const ChoiceBinding& binding : table_.choices) StoreChoice(binding, record);
    for (const IndexBinding& binding : table_.indexes) StoreIndex(binding, record);
    for (const DayBinding& binding : table_.days) StoreDay(binding, record);
    for (const ListBinding& binding : table_.lists) StoreList(binding, record);
}

template <typename Binding, typename Control, typename Signal>
void CPageBinding::CopyChanges(const std::vector<Binding>& bindings, Control* Binding::*control,
                               Signal signal, void (*store)(const Binding&, SettingsRecord&),
                               SettingsRecord* record) {
    for (const Binding& binding : bindings) {
        connect(binding.*control, signal, this, [this, binding, store, record] {
            if (!loading_) store(binding, *record);
        });
    }
}

void CPageBinding::CopyEveryChangeInto(SettingsRecord* record) {
    CopyChanges(table_.texts, &TextBinding::edit, &QLineEdit::textChanged, &StoreText, record);
    CopyChanges(table_.checks, &CheckBinding::box, &QAbstractButton::toggled, &StoreCheck, record);
    CopyChanges(table_.sliders, &SliderBinding::slider, &QAbstractSlider::valueChanged,
                &StoreSlider, record);
    CopyChanges(table_.numbers, &NumberBinding::edit, &QLineEdit::textChanged, &StoreNumber,
                record);
    CopyChanges(table_.dateTimes, &DateTimeBinding::picker, &QDateTimeEdit::dateTimeChanged,
                &StoreDateTime, record);
    CopyChanges(table_.choices, &ChoiceBinding::group, &QButtonGroup::idToggled, &StoreChoice,
                record);
    CopyChanges(table_.indexes, &IndexBinding::list, &QComboBox::currentIndexChanged, &StoreIndex,
                record);
    CopyChanges(table_.days, &DayBinding::picker, &QDateTimeEdit::dateChanged, &StoreDay, record);
    CopyListChanges(record);
    ShowRefusedNumbersOnLeaving(record);
}

void CPageBinding::CopyListChanges(SettingsRecord* record) {
    for (const ListBinding& binding : table_.lists) {
        const auto store = [this, binding, record] {
            if (!loading_) StoreList(binding, *record);
        };
        QAbstractItemModel* items = binding.list->model();
        connect(items, &QAbstractItemModel::rowsInserted, this, store);
        connect(items, &QAbstractItemModel::rowsRemoved, this, store);
        connect(items, &QAbstractItemModel::dataChanged, this, store);
    }
}

void CPageBinding::ShowRefusedNumbersOnLeaving(SettingsRecord* record) {
    for (const NumberBinding& binding : table_.numbers) {
        if (binding.reading != NumberReading::kWholeInteger) continue;
        connect(binding.edit, &QLineEdit::editingFinished, this,
                [binding, record] { ShowRefusedNumber(binding, *record); });
    }
}

void CPageBinding::StoreText(const TextBinding& binding, SettingsRecord& record) {
    record.*binding.field = binding.edit->text().toStdString();
}

void CPageBinding::StoreCheck(const CheckBinding& binding, SettingsRecord& record) {
    const bool checked = binding.box->isChecked();
    if (checked != (record.*binding.field != 0)) record.*binding.field = checked ? 1 : 0;
}

void CPageBinding::StoreSlider(const SliderBinding& binding, SettingsRecord& record) {
    record.*binding.field = binding.slider->value();
}

void CPageBinding::StoreNumber(const NumberBinding& binding, SettingsRecord& record) {
    const QString text = binding.edit->text();
    if (binding.reading == NumberReading::kLeadingDigits) {
        record.*binding.field = LeadingNumber(text.toStdString());
        return;
    }
    if (const std::optional<int32_t> value = WholeInteger(text)) record.*binding.field = *value;
}

void CPageBinding::ShowRefusedNumber(const NumberBinding& binding, const SettingsRecord& record) {
    if (WholeInteger(binding.edit->text())) return;
    binding.edit->setText(NumberText(record.*binding.field));
}

void CPageBinding::StoreDateTime(const DateTimeBinding& binding, SettingsRecord& record) {
    record.*binding.field = ShownDateTime(*binding.picker);
}

// Only a checked button counts: a group without one leaves the field as it is.
void CPageBinding::StoreChoice(const ChoiceBinding& binding, SettingsRecord& record) {
    const int checked = binding.group->checkedId();
    if (checked != -1) record.*binding.field = checked;
}

void CPageBinding::StoreIndex(const IndexBinding& binding, SettingsRecord& record) {
    const int index = binding.list->currentIndex();
    if (index != -1) record.*binding.field = index;
}

void CPageBinding::StoreDay(const DayBinding& binding, SettingsRecord& record) {
    record.*binding.field = DateOfDayCount(binding.picker->date().day());
}

void CPageBinding::StoreList(const ListBinding& binding, SettingsRecord& record) {
    std::vector<std::string>& texts = record.*binding.field;
    texts.clear();
    for (int index = 0; index < binding.list->count(); ++index) {
        texts.push_back(binding.list->itemText(index).toStdString());
    }
}

}  // namespace tv
