// Controls of the settings pages named after the field they show (its registry name), so that
// tests, the binding tables and the tables of mnemonic keys find them by that name; and the
// sizing that lets a page hold many of them.
#pragma once

class QCheckBox;
class QLineEdit;
class QWidget;

namespace tv {

QCheckBox* MakeCheck(const char* text, const char* name, QWidget* parent);
// An edit that takes digits only, wide enough for five of them.
QLineEdit* MakeDigitsEdit(const char* name, QWidget* parent);

// A check box or radio button only as tall as its text, where a page must fit many of them.
template <typename Button>
Button* FitToText(Button* button) {
    button->setFixedHeight(button->fontMetrics().height() + 2);
    return button;
}

}  // namespace tv
