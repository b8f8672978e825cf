#include "ui/network/credential_edit.h"

#include <QLineEdit>
#include <QString>

#include "ui/widgets/byte_limit_validator.h"

namespace tv {

QLineEdit* MakeCredentialEdit(int id, CredentialEcho echo, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setValidator(new CByteLimitValidator(kMaxCredentialBytes, edit));
    if (echo == CredentialEcho::kHidden) edit->setEchoMode(QLineEdit::Password);
    return edit;
}

}  // namespace tv
