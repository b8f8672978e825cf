#include "ui/settings_dialog/dialogs/extension_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/dialog_font.h"
#include "ui/widgets/accept_cancel_row.h"

namespace tv {

namespace {

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
    layout->addWidget(new QLabel("●拡張子選択して下さい", this));
    layout->addWidget(extensions_);
    layout->addLayout(MakeAcceptCancelRow(*this, "OK"));
}

std::optional<QString> CExtDlg::Ask() {
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Extension();
}

QString CExtDlg::Extension() const { return extensions_->currentText().toUpper(); }

}  // namespace tv
