// CMediaTypeSetting, the modal dialog "メディアタイプ設定ダイアログ" that asks which kind of
// medium has been inserted when the drive cannot tell: it shows the drive letter, the card
// adapter's product text and the medium's serial number, and offers the media type list ("なし"
// first, then one entry per media kind). "設定" hands back the chosen kind; "キャンセル" and
// closing the window hand back nothing.
#pragma once

#include <QDialog>
#include <optional>

#include "platform/prompts.h"

class QComboBox;

namespace tv {

// Object names of the controls that show the medium; the buttons are named by their ids,
// IDOK and IDCANCEL.
constexpr const char* kMediaDriveNameObject = "driveName";
constexpr const char* kMediaAdapterNameObject = "adapterName";
constexpr const char* kMediaSerialNumberObject = "serialNumber";
constexpr const char* kMediaTypeListObject = "mediaType";

constexpr const char* kMediaTypeDialogTitle = "メディアタイプ設定ダイアログ";

class CMediaTypeSetting : public QDialog {
    Q_OBJECT
  public:
    explicit CMediaTypeSetting(const MediaTypeQuestion& question, QWidget* parent = nullptr);

    // Runs the dialog: the media kind code of the chosen entry (0 for "なし") on "設定";
    // nothing on "キャンセル" or when the window is closed.
    std::optional<int> Ask();

  private:
    QLayout* MakeFields(const MediaTypeQuestion& question);

    QComboBox* mediaType_ = nullptr;
};

}  // namespace tv
