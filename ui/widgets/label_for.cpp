#include "ui/widgets/label_for.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>

namespace tv {

// Qt reads a buddy label for some controls only (not for item views or drop-down lists, which say
// their current item instead), so the name is also given outright.
QLabel* MakeLabelFor(QWidget* control, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(control);
    if (control->accessibleName().isEmpty()) control->setAccessibleName(QString(text).remove('&'));
    return label;
}

// A label presses its buddy when that is a button: on the checked choice the press changes
// nothing, on another one it would choose it.
QLabel* MakeLabelForChoices(QButtonGroup* choices, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QAbstractButton* checked = choices->checkedButton();
    label->setBuddy(checked != nullptr ? checked : choices->buttons().value(0));
    QObject::connect(choices, &QButtonGroup::buttonToggled, label,
                     [label](QAbstractButton* button, bool on) {
                         if (on) label->setBuddy(button);
                     });
    return label;
}

}  // namespace tv
