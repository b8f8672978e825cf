// The edit of a user name or a password for a network share, on the network page and in the
// password prompt. A credential is at most 99 bytes long wherever it is kept (the stored forms
// are read into buffers of 100 bytes), so the edit refuses more.
#pragma once

class QLineEdit;
class QWidget;

namespace tv {

constexpr int kMaxCredentialBytes = 99;

enum class CredentialEcho { kShown, kHidden };

// An empty edit whose object name is the control id; a hidden one shows the password style.
QLineEdit* MakeCredentialEdit(int id, CredentialEcho echo, QWidget* parent);

}  // namespace tv
