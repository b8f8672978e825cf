#include "ui/settings_dialog/pages/network_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/dialog_font.h"
#include "ui/network/credential_edit.h"
#include "ui/settings_dialog/page_binding.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

struct PairOnPage {
    const char* title;
    int userId;
    int passwordId;
    char userKey;
    char passwordKey;
    std::string SettingsRecord::*user;
    std::string SettingsRecord::*password;
};

const PairOnPage kPairs[] = {
    {"ユーザー１", kIdUser1Edit, kIdPass1Edit, 'U', 'P', &SettingsRecord::User1,
     &SettingsRecord::Pass1},
    {"ユーザー２", kIdUser2Edit, kIdPass2Edit, 'S', 'W', &SettingsRecord::User2,
     &SettingsRecord::Pass2},
};

// The group box of one pair; its two edits join the page's binding table.
QGroupBox* MakePairGroup(const PairOnPage& pair, QWidget* page, BindingTable* table) {
    auto* group = new QGroupBox(QString::fromUtf8(pair.title), page);
    QLineEdit* user = MakeCredentialEdit(pair.userId, CredentialEcho::kShown, group);
    QLineEdit* password = MakeCredentialEdit(pair.passwordId, CredentialEcho::kHidden, group);
    auto* fields = new QGridLayout(group);
    fields->addWidget(MakeLabelFor(user, "ユーザー名", group), 0, 0);
    fields->addWidget(user, 0, 1);
    fields->addWidget(MakeLabelFor(password, "パスワード", group), 1, 0);
    fields->addWidget(password, 1, 1);
    GiveMnemonic(user, pair.userKey);
    GiveMnemonic(password, pair.passwordKey);
    fields->setColumnStretch(1, 1);
    table->texts.push_back({user, pair.user});
    table->texts.push_back({password, pair.password});
    return group;
}

}  // namespace

CNetworkDlg::CNetworkDlg(SettingsRecord* record, QWidget* parent)
    : QWidget(parent), record_(record) {
    setFont(DialogFont());
    setWindowTitle(kNetworkPageCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("ユーザー名およびパスワードを入力してください", this));
    BindingTable table;
    for (const PairOnPage& pair : kPairs) layout->addWidget(MakePairGroup(pair, this, &table));
    layout->addStretch(1);
    binding_ = new CPageBinding(std::move(table), this);
    binding_->Load(*record_);
    binding_->CopyEveryChangeInto(record_);
}

void CNetworkDlg::Reload() { binding_->Load(*record_); }

}  // namespace tv
