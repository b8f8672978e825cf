#include "ui/widgets/label_for.h"

#include <QAbstractItemView>
#include <QLabel>

namespace tv {

QLabel* MakeLabelFor(QWidget* control, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(control);
    if (qobject_cast<QAbstractItemView*>(control) != nullptr &&
        control->accessibleName().isEmpty()) {
        control->setAccessibleName(QString(text).remove('&'));
    }
    return label;
}

}  // namespace tv
