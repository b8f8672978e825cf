// CExplanDlg, the page "説明": what the dialog shows before a category is chosen, a heading
// and a short paragraph for each category, over a painted backdrop.
#pragma once

#include <QWidget>

#include "ui/settings_dialog/settings_page.h"

namespace tv {

constexpr const char* kExplanationPageCaption = "説明";

class CExplanDlg : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    explicit CExplanDlg(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tv
