// CNetworkDlg, the settings page "ネットワーク設定": the two user/password pairs that are
// tried on a network share after the current logon and before the password prompt. It shows
// the record that the settings dialog edits and copies every change of an edit into it at once.
#pragma once

#include <QWidget>

#include "settings/settings_record.h"
#include "ui/settings_dialog/settings_page.h"

namespace tv {

class CPageBinding;

// Control ids, also the object names of the edits.
constexpr int kIdUser1Edit = 1014;
constexpr int kIdPass1Edit = 1015;
constexpr int kIdUser2Edit = 1016;
constexpr int kIdPass2Edit = 1017;

// The page's caption, which is also the label of its category.
constexpr const char* kNetworkPageCaption = "ネットワーク設定";

class CNetworkDlg : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    // record: the settings the dialog edits; it must outlive the page.
    explicit CNetworkDlg(SettingsRecord* record, QWidget* parent = nullptr);

    // Shows the record's pairs again, after the dialog has reset or imported them.
    void Reload() override;

  private:
    SettingsRecord* record_;
    CPageBinding* binding_ = nullptr;
};

}  // namespace tv
