// A label that names a control: Alt with its mnemonic, if it has one, takes the focus there, and
// assistive technology reads the label's text as the control's name.
#pragma once

#include <QString>

class QButtonGroup;
class QLabel;
class QWidget;

namespace tv {

QLabel* MakeLabelFor(QWidget* control, const QString& text, QWidget* parent);

// A label over a group of exclusive choices, each named by its own text. Its mnemonic takes the
// focus to the choice that is checked, where pressing changes nothing; the arrows then choose.
QLabel* MakeLabelForChoices(QButtonGroup* choices, const QString& text, QWidget* parent);

}  // namespace tv
