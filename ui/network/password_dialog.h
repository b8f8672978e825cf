// CPasswordDlg, the modal prompt "ネットワークパスワードの入力" for a share that neither the
// current logon nor a stored pair could open: the share's name, a user name and a password,
// "OK" and "キャンセル". It only hands back what was entered; keeping it is the caller's
// business.
#pragma once

#include <QDialog>
#include <string>

#include "platform/share_mounter.h"

class QLineEdit;

namespace tv {

// Control ids, also the object names of the controls; the buttons are IDOK and IDCANCEL.
constexpr int kIdPromptShare = 1072;
constexpr int kIdPromptUser = 1023;
constexpr int kIdPromptPassword = 1024;

constexpr const char* kPasswordPromptTitle = "ネットワークパスワードの入力";

class CPasswordDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CPasswordDlg(const std::string& share, QWidget* parent = nullptr);

    // Runs the prompt: true with the entered pair on OK; false on キャンセル or when the
    // window is closed, with *entered untouched.
    bool Ask(ShareCredentials* entered);

  private:
    void BuildControls(const std::string& share);

    QLineEdit* user_ = nullptr;
    QLineEdit* password_ = nullptr;
};

}  // namespace tv
