#include "ui/settings_dialog/parts/named_controls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tv {

QCheckBox* MakeCheck(const char* text, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* MakeDigitsEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("00000") + 12);
    return edit;
}

}  // namespace tv
