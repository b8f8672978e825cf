// The controls that all three unit pages share, each bound to its own unit's fields: the load
// control and copy buffer sliders with their value labels, the delete, overwrite and same-size
// checks, and the destination edit "保存フォルダ" with its "参照" button. Their Alt keys are the
// same on every page: L, B, D, O, S, F and R.
#pragma once

#include <QString>
#include <cstdint>

#include "settings/settings_record.h"
#include "settings/unit_options.h"
#include "ui/settings_dialog/page_binding.h"

class QBoxLayout;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QWidget;

namespace tv {

// "%dms" of the load control; "%dKB" of the buffer, 32 KB doubled value times.
QString LoadControlText(int value);
QString BufferSizeText(int value);

// The two sliders and three checks of unit in one block, bound in table; each control is named
// after the registry name of its field.
QWidget* MakeTransferControls(SettingsUnit unit, QWidget* page, BindingTable* table);

struct DestinationRow {
    QWidget* row;
    QLineEdit* edit;
    QPushButton* browse;
};
// "保存フォルダ", the edit (named editName) and "参照"; the page binds the edit and the button.
DestinationRow MakeDestinationRow(const char* editName, QWidget* page);

// The unit pages fill the dialog's small page area, so their margins and spacing are tight.
void SetPageMargins(QBoxLayout* layout);

// The capacity display with the start button at its right, level with the bar.
QBoxLayout* CapacityAndStart(QWidget* capacity, QPushButton* start);

// The interval picker of the drive unit and file/directory pages, "HH時間mm分".
QTimeEdit* MakeIntervalPicker(const char* name, QWidget* page);

}  // namespace tv
