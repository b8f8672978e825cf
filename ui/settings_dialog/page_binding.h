// How a settings page ties its controls to the settings record: each page hands over one table
// that binds every control to the record field it shows, and this walks the table, so no page
// has load or store code of its own. Loading shows a record; storing copies the controls back;
// once live, every change of a control is copied into the record at once, which is how the
// pages edit the record that the settings dialog holds.
#pragma once

#include <QObject>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/date_time.h"
#include "settings/settings_record.h"

class QAbstractButton;
class QAbstractSlider;
class QButtonGroup;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;

namespace tv {

struct TextBinding {
    QLineEdit* edit;
    std::string SettingsRecord::*field;
};

// A check box over a 0/1 field: any value but 0 shows checked.
struct CheckBinding {
    QAbstractButton* box;
    int32_t SettingsRecord::*field;
};

// A slider (or any ranged control) whose position is the field's value.
struct SliderBinding {
    QAbstractSlider* slider;
    int32_t SettingsRecord::*field;
};

// How a number edit's text becomes its field's value.
enum class NumberReading {
    // The leading decimal digits of the text; none reads as 0.
    kLeadingDigits,
    // The whole text as one decimal integer. Text that is no such integer (an empty edit, a
    // number beyond the field's range) leaves the field as it was, and the edit shows the
    // field again when the user leaves it, so that what it shows is what the record holds.
    kWholeInteger,
};

// A digits-only edit over a number, shown with "%d".
struct NumberBinding {
    QLineEdit* edit;
    int32_t SettingsRecord::*field;
    NumberReading reading = NumberReading::kLeadingDigits;
};

// A date or time picker over a date-time field; an invalid field shows the picker's minimum.
struct DateTimeBinding {
    QDateTimeEdit* picker;
    DateTime SettingsRecord::*field;
};

// A picker that shows only the day of the month, over a field of which only the day counts
// (DayCountOf). It shows the day in the month of DateOfDayCount, which has 31 days, and the
// page keeps the picker within that month so that every count can be picked; an unset field
// shows the first day.
struct DayBinding {
    QDateTimeEdit* picker;
    DateTime SettingsRecord::*field;
};

// A group of radio buttons whose ids are the field's values.
struct ChoiceBinding {
    QButtonGroup* group;
    int32_t SettingsRecord::*field;
};

// A drop-down list whose item index is the field's value.
struct IndexBinding {
    QComboBox* list;
    int32_t SettingsRecord::*field;
};

// A drop-down list whose items are a string list of the record, in order. The page adds and
// removes items; every change of the items rebuilds the list from them.
struct ListBinding {
    QComboBox* list;
    std::vector<std::string> SettingsRecord::*field;
};

struct BindingTable {
    std::vector<TextBinding> texts;
    std::vector<CheckBinding> checks;
    std::vector<SliderBinding> sliders;
    std::vector<NumberBinding> numbers;
    std::vector<DateTimeBinding> dateTimes;
    std::vector<ChoiceBinding> choices;
    std::vector<IndexBinding> indexes;
    std::vector<DayBinding> days;
    std::vector<ListBinding> lists;
};

// The leading decimal digits of text as a number, as a C decimal conversion reads them: the
// reading stops at the first character that is not a digit; no digit at all reads as 0.
int32_t LeadingNumber(const std::string& text);

// A child of the page, so that it goes with the page's controls.
class CPageBinding : public QObject {
    Q_OBJECT
  public:
    CPageBinding(BindingTable table, QObject* page);

    // Shows record in the controls; nothing is copied anywhere while it loads.
    void Load(const SettingsRecord& record);
    // Copies what the controls show into record. A check box copies only when it disagrees
    // with the field, so a field that loads as checked keeps its number.
    void Store(SettingsRecord& record) const;
    // From now on every change of a control, typed or put there by the program, goes into
    // *record at once. The record must outlive the page.
    void CopyEveryChangeInto(SettingsRecord* record);

  private:
    static void StoreText(const TextBinding& binding, SettingsRecord& record);
    static void StoreCheck(const CheckBinding& binding, SettingsRecord& record);
    static void StoreSlider(const SliderBinding& binding, SettingsRecord& record);
    static void StoreNumber(const NumberBinding& binding, SettingsRecord& record);
    static void StoreDateTime(const DateTimeBinding& binding, SettingsRecord& record);
    static void StoreChoice(const ChoiceBinding& binding, SettingsRecord& record);
    static void StoreIndex(const IndexBinding& binding, SettingsRecord& record);
    static void StoreDay(const DayBinding& binding, SettingsRecord& record);
    static void StoreList(const ListBinding& binding, SettingsRecord& record);
    // A whole-integer edit whose text the record did not take shows the record's value again.
    static void ShowRefusedNumber(const NumberBinding& binding, const SettingsRecord& record);

    // Connects signal of every control in bindings to store, outside of loading.
    template <typename Binding, typename Control, typename Signal>
    void CopyChanges(const std::vector<Binding>& bindings, Control* Binding::*control,
                     Signal signal, void (*store)(const Binding&, SettingsRecord&),
                     SettingsRecord* record);

    // The same for the item changes of every list in bindings, which come from its model.
    void CopyListChanges(SettingsRecord* record);
    // Puts back what a whole-integer edit showed before the user left it with a refused text.
    void ShowRefusedNumbersOnLeaving(SettingsRecord* record);

    BindingTable table_;
    bool loading_ = false;
};

}  // namespace tv
