#include "ui/widgets/accept_cancel_row.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QString>

#include "platform/win_constants.h"

namespace tv {

namespace {

QPushButton* MakeButton(const char* text, int id, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::number(id));
    return button;
}

}  // namespace

QLayout* MakeAcceptCancelRow(QDialog& dialog, const char* acceptText) {
    QPushButton* accept = MakeButton(acceptText, kIdOk, &dialog);
    accept->setDefault(true);
    QObject::connect(accept, &QPushButton::clicked, &dialog, &QDialog::accept);
    QPushButton* cancel = MakeButton("キャンセル", kIdCancel, &dialog);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(accept);
    row->addWidget(cancel);
    return row;
}

}  // namespace tv
