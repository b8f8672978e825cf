#include "ui/settings_dialog/dialogs/extension_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/dialog_font.h"
#include "ui/widgets/accept_cancel_row.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

// Room for the icon and the buttons of a title bar, and for a title font larger than the dialog's.
constexpr int kTitleBarDecorationWidth = 160;
constexpr char kExtensionsKey = 'E';

const char* const kOfferedExtensions[] = {"TXT", "DOC", "XLS", "EXE", "COM", "DLL", "SYS", "BMP",
                                          "JPG", "GIF", "AVI", "MOV", "MPG", "M2V", "M2P"};

}  // namespace

CExtDlg::CExtDlg(QWidget* parent) : QDialog(parent), extensions_(new QComboBox(this)) {
    setFont(DialogFont());
    setWindowTitle(kExtensionDialogCaption);
    extensions_->setObjectName("extensions");
    extensions_->setEditable(true);
    // Typing and Enter choose a text; they never add to the offered ones.
    extensions_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* extension : kOfferedExtensions) extensions_->addItem(extension);
    auto* layout = new QVBoxLayout(this);
    QLabel* heading = MakeLabelFor(extensions_, "●拡張子選択して下さい", this);
    GiveMnemonic(heading, kExtensionsKey);
    layout->addWidget(heading);
    layout->addWidget(extensions_);
    layout->addLayout(MakeAcceptCancelRow(*this, "OK"));
    KeepTitleReadable();
}

// The dialog's controls alone make it so narrow that the window manager cuts its caption short;
// it is made wide enough for the caption beside the title bar's icon and buttons.
void CExtDlg::KeepTitleReadable() {
    const int caption = fontMetrics().horizontalAdvance(windowTitle());
    setMinimumWidth(std::max(sizeHint().width(), caption + kTitleBarDecorationWidth));
}

std::optional<QString> CExtDlg::Ask() {
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Extension();
}

QString CExtDlg::Extension() const { return extensions_->currentText().toUpper(); }

}  // namespace tv
