// COptListDlg, the page "設定一覧": every setting in words, read-only, in a fixed-pitch font so
// the summary's columns line up. The dialog fills it.
#pragma once

#include <QWidget>
#include <string>

#include "ui/settings_dialog/settings_page.h"

class QPlainTextEdit;

namespace tv {

constexpr const char* kOptionListPageCaption = "設定一覧";

class COptListDlg : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    explicit COptListDlg(QWidget* parent = nullptr);

    // text: the settings summary, lines ended by CR LF.
    void SetText(const std::string& text);
    QString Text() const;

  private:
    QPlainTextEdit* edit_;
};

}  // namespace tv
