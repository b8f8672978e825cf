#include "ui/test_mode/count_edit.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "ui/settings_dialog/parts/named_controls.h"

namespace tv {

QLineEdit* MakeCountEdit(const char* name, QWidget* parent) {
    QLineEdit* edit = MakeDigitsEdit(name, parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[1-9][0-9]{0,3}"), edit));
    edit->setText("1");
    return edit;
}

uint32_t ReadCount(QLineEdit* edit) {
    const uint32_t count = edit->text().toUInt();
    if (count != 0) return count;
    edit->setText("1");
    return 1;
}

}  // namespace tv
