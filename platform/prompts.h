// Everything that asks the user something goes through Prompts: the user interface implements
// it with real dialogs, tests with a script (tests/support/scripted_prompts.h).
#pragma once

#include <optional>
#include <string>

#include "platform/share_mounter.h"

namespace tv {

// The answers of the copy-or-move confirmation, one per button; none is 0, the result of a
// dialog closed without a button.
enum class CopyOrMove : int {
    Copy = 1,      // "コピー"
    Move = 2,      // "移動"
    DontCopy = 3,  // "コピーしない"
    Cancel = 4,    // "キャンセル"
};

// What the media type dialog shows of the medium it asks about.
struct MediaTypeQuestion {
    char letter = 'A';
    std::string adapterName;  // the product text the drive reports
    std::string serialLabel;  // the medium's serial number as its volume label
};

class Prompts {
  public:
    virtual ~Prompts() = default;
    // A message box: flags are the kMb* values (buttons | icon); the answer is kIdOk,
    // kIdCancel, kIdYes or kIdNo.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // The network password prompt for share: true with the entered pair on OK, false when
    // cancelled. A front end without a password dialog answers as if cancelled.
    virtual bool AskPassword(const std::string& share, ShareCredentials* entered) {
        (void)share;
        (void)entered;
        return false;
    }
    // The media type dialog: the media kind code of the chosen entry (0 for "なし") on "設定",
    // nothing on "キャンセル". A front end without the dialog answers as if cancelled.
    virtual std::optional<int> AskMediaType(const MediaTypeQuestion& question) {
        (void)question;
        return std::nullopt;
    }
    // The copy-or-move confirmation with its question text. A front end without the dialog
    // answers as if cancelled.
    virtual CopyOrMove AskCopyOrMove(const std::string& text) {
        (void)text;
        return CopyOrMove::Cancel;
    }
};

}  // namespace tv
