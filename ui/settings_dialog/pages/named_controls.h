// Controls of the settings pages named after the field they show (its registry name), so that
// tests and the binding tables find them by that name.
#pragma once

class QCheckBox;
class QLineEdit;
class QWidget;

namespace tv {

QCheckBox* MakeCheck(const char* text, const char* name, QWidget* parent);
// An edit that takes digits only, wide enough for five of them.
QLineEdit* MakeDigitsEdit(const char* name, QWidget* parent);

}  // namespace tv
