#include "ui/message_box_prompts.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <cstdio>
#include <memory>

#include "platform/win_constants.h"
#include "ui/network/password_dialog.h"
#include "ui/removable/media_type_dialog.h"
#include "ui/settings_dialog/dialogs/confirm_dialog.h"

namespace tv {

namespace {

constexpr unsigned kButtonMask = 0x0F;
constexpr unsigned kIconMask = 0xF0;

bool NoOneCanSeeWindows() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

QMessageBox::Icon IconOf(unsigned flags) {
    switch (flags & kIconMask) {
        case kMbIconHand:
            return QMessageBox::Critical;
        case kMbIconQuestion:
            return QMessageBox::Question;
        case kMbIconExclamation:
            return QMessageBox::Warning;
        case kMbIconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// A button with the label the system's Japanese boxes give it: Qt's own labels are English
// unless a translation happens to be installed.
QPushButton* AddButton(QMessageBox& box, QMessageBox::StandardButton button, const char* label) {
    QPushButton* added = box.addButton(button);
    added->setText(QString::fromUtf8(label));
    return added;
}

// The buttons in their order; the first is the default, as with the system's boxes.
void AddButtons(QMessageBox& box, unsigned flags) {
    switch (flags & kButtonMask) {
        case kMbYesNo:
            box.setDefaultButton(AddButton(box, QMessageBox::Yes, "はい(&Y)"));
            AddButton(box, QMessageBox::No, "いいえ(&N)");
            break;
        case kMbOkCancel:
            box.setDefaultButton(AddButton(box, QMessageBox::Ok, "OK"));
            AddButton(box, QMessageBox::Cancel, "キャンセル");
            break;
        default:
            box.setDefaultButton(AddButton(box, QMessageBox::Ok, "OK"));
            break;
    }
}

int AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return kIdYes;
        case QMessageBox::No:
            return kIdNo;
        case QMessageBox::Cancel:
            return kIdCancel;
        default:
            return kIdOk;
    }
}

int AnswerWithoutWindow(const std::string& text, const std::string& caption, unsigned flags) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return EscapeAnswer(flags);
}

}  // namespace

int EscapeAnswer(unsigned flags) {
    switch (flags & kButtonMask) {
        case kMbYesNo:
            return kIdNo;
        case kMbOkCancel:
            return kIdCancel;
        default:
            return kIdOk;
    }
}

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, const std::string& caption,
                                            unsigned flags) {
    auto box = std::make_unique<QMessageBox>(IconOf(flags), QString::fromStdString(caption),
                                             QString::fromStdString(text));
    AddButtons(*box, flags);
    return box;
}

int MessageBoxPrompts::MessageBox(const std::string& text, const std::string& caption,
                                  unsigned flags) {
    if (NoOneCanSeeWindows()) return AnswerWithoutWindow(text, caption, flags);
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(text, caption, flags);
    box->exec();
    // Closed through the window frame: no button was pressed.
    if (box->clickedButton() == nullptr) return EscapeAnswer(flags);
    return AnswerOf(box->standardButton(box->clickedButton()));
}

bool MessageBoxPrompts::AskPassword(const std::string& share, ShareCredentials* entered) {
    if (NoOneCanSeeWindows()) {
        std::fprintf(stderr, "%s: %s\n", kPasswordPromptTitle, share.c_str());
        return false;
    }
    CPasswordDlg dialog(share);
    return dialog.Ask(entered);
}

std::optional<int> MessageBoxPrompts::AskMediaType(const MediaTypeQuestion& question) {
    if (NoOneCanSeeWindows()) {
        std::fprintf(stderr, "%s: %c:\n", kMediaTypeDialogTitle, question.letter);
        return std::nullopt;
    }
    CMediaTypeSetting dialog(question);
    return dialog.Ask();
}

CopyOrMove MessageBoxPrompts::AskCopyOrMove(const std::string& text) {
    if (NoOneCanSeeWindows()) {
        std::fprintf(stderr, "%s: %s\n", kConfirmDialogCaption, text.c_str());
        return CopyOrMove::Cancel;
    }
    CConfirmDlg dialog(text);
    return dialog.Ask();
}

}  // namespace tv
