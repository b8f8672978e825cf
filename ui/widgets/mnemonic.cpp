#include "ui/widgets/mnemonic.h"

#include <QAbstractButton>
#include <QLabel>

namespace tv {

namespace {

QLabel* LabelNaming(const QWidget* control) {
    for (QLabel* label : control->window()->findChildren<QLabel*>()) {
        if (label->buddy() == control) return label;
    }
    return nullptr;
}

// The caption is what a screen reader reads, without the key.
void KeepAccessibleName(QWidget* holder, const QString& caption) {
    if (holder->accessibleName().isEmpty()) holder->setAccessibleName(caption);
}

template <typename Holder, typename Get, typename Set>
void AddKey(Holder* holder, Get get, Set set, char letter) {
    const QString caption = (holder->*get)();
    KeepAccessibleName(holder, caption);
    (holder->*set)(WithMnemonic(caption, letter));
}

}  // namespace

QString WithMnemonic(const QString& caption, char letter) {
    const int inPlace = caption.indexOf(QChar(letter));
    if (inPlace >= 0) return QString(caption).insert(inPlace, '&');
    const QString key = QString("(&%1)").arg(QChar(letter));
    if (caption.endsWith(QStringLiteral("：")) || caption.endsWith(':')) {
        return caption.left(caption.size() - 1) + key + caption.right(1);
    }
    return caption + key;
}

void GiveMnemonic(QWidget* control, char letter) {
    auto* label = qobject_cast<QLabel*>(control);
    if (label == nullptr) label = LabelNaming(control);
    if (label != nullptr) {
        AddKey(label, &QLabel::text, &QLabel::setText, letter);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        AddKey(button, &QAbstractButton::text, &QAbstractButton::setText, letter);
    }
}

void GiveMnemonics(QWidget* within, const MnemonicKey* keys, size_t count) {
    for (size_t index = 0; index < count; ++index) {
        if (QWidget* control = within->findChild<QWidget*>(keys[index].control)) {
            GiveMnemonic(control, keys[index].letter);
        }
    }
}

}  // namespace tv
