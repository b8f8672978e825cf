// CExtDlg, "拡張子選択ダイアログ": asks for one file extension. The drop-down offers the common
// ones, and the user may type any text instead; OK gives the text in upper case.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QComboBox;

namespace tv {

constexpr const char* kExtensionDialogCaption = "拡張子選択ダイアログ";

class CExtDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CExtDlg(QWidget* parent = nullptr);

    // Runs the dialog: the text in upper case after OK, nothing after キャンセル.
    std::optional<QString> Ask();
    // The text as OK gives it. Letters of every script are upper-cased as Unicode says, so a
    // full-width "ｊｐｇ" becomes "ＪＰＧ" and kana stay as they are.
    QString Extension() const;

  private:
    void KeepTitleReadable();

    QComboBox* extensions_;
};

}  // namespace tv
