#include "ui/widgets/label_for.h"

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

}  // namespace tv
