#include "ui/network/password_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/win_constants.h"
#include "ui/dialog_font.h"
#include "ui/network/credential_edit.h"
#include "ui/progress/path_label.h"
#include "ui/widgets/accept_cancel_row.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

constexpr int kWindowWidth = 320;
// Sets the share apart from the fields below it.
constexpr int kGapBelowShare = 8;
constexpr char kUserKey = 'U';
constexpr char kPasswordKey = 'P';

}  // namespace

CPasswordDlg::CPasswordDlg(const std::string& share, QWidget* parent) : QDialog(parent) {
    setFont(DialogFont());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(kPasswordPromptTitle);
    setModal(true);
    BuildControls(share);
}

void CPasswordDlg::BuildControls(const std::string& share) {
    // A long share name is shortened in the middle rather than widening the window.
    auto* shareLine = new CPathLabel(this);
    shareLine->setObjectName(QString::number(kIdPromptShare));
    shareLine->setText(QString::fromStdString(share));
    user_ = MakeCredentialEdit(kIdPromptUser, CredentialEcho::kShown, this);
    password_ = MakeCredentialEdit(kIdPromptPassword, CredentialEcho::kHidden, this);

    auto* fields = new QGridLayout;
    fields->addWidget(MakeLabelFor(user_, "ユーザー名", this), 0, 0);
    fields->addWidget(user_, 0, 1);
    fields->addWidget(MakeLabelFor(password_, "パスワード", this), 1, 0);
    fields->addWidget(password_, 1, 1);
    GiveMnemonic(user_, kUserKey);
    GiveMnemonic(password_, kPasswordKey);
    fields->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("ユーザー名およびパスワードを入力して下さい", this));
    layout->addWidget(shareLine);
    layout->addSpacing(kGapBelowShare);
    layout->addLayout(fields);
    layout->addLayout(MakeAcceptCancelRow(*this, "OK"));
    setFixedWidth(kWindowWidth);
}

bool CPasswordDlg::Ask(ShareCredentials* entered) {
    if (exec() != QDialog::Accepted) return false;
    entered->user = user_->text().toStdString();
    entered->password = password_->text().toStdString();
    return true;
}

}  // namespace tv
