// A label that names a control: Alt with its mnemonic, if it has one, takes the focus there, and
// assistive technology reads the label's text as the control's name.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace tv {

QLabel* MakeLabelFor(QWidget* control, const QString& text, QWidget* parent);

}  // namespace tv
