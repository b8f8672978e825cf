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

#include "settings/settings_record.h"

class QAbstractButton;
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

struct BindingTable {
    std::vector<TextBinding> texts;
    std::vector<CheckBinding> checks;
};

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

    BindingTable table_;
    bool loading_ = false;
};

}  // namespace tv
