// CConfirmDlg, "確認": the question whether a removable drive's old backups are copied or moved
// to its new destination, in a read-only text box beside a question icon, with the buttons
// "コピー", "移動", "コピーしない" and "キャンセル". Each button is named by its answer's number
// (static_cast<int>(CopyOrMove)), so tests find and press them.
#pragma once

#include <QDialog>
#include <string>

#include "platform/prompts.h"

namespace tv {

constexpr const char* kConfirmDialogCaption = "確認";

class CConfirmDlg : public QDialog {
    Q_OBJECT
  public:
    // text: the question, lines ended by CR LF or LF.
    explicit CConfirmDlg(const std::string& text, QWidget* parent = nullptr);

    // Runs the dialog; the close box answers as "キャンセル".
    CopyOrMove Ask();
};

}  // namespace tv
