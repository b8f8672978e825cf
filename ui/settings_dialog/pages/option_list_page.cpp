#include "ui/settings_dialog/pages/option_list_page.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/dialog_font.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

constexpr char kSummaryKey = 'L';

// A fixed-pitch face that holds the Japanese labels too, at the dialog's size.
QFont SummaryFont() {
    QFont font("Noto Sans Mono CJK JP", DialogFont().pointSize());
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

}  // namespace

COptListDlg::COptListDlg(QWidget* parent) : QWidget(parent) {
    setFont(DialogFont());
    setWindowTitle(kOptionListPageCaption);
    edit_ = new QPlainTextEdit(this);
    edit_->setReadOnly(true);
    edit_->setFont(SummaryFont());
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    QLabel* heading = MakeLabelFor(edit_, "設定内容一覧", this);
    GiveMnemonic(heading, kSummaryKey);
    layout->addWidget(heading);
    layout->addWidget(edit_, 1);
}

void COptListDlg::SetText(const std::string& text) {
    edit_->setPlainText(QString::fromStdString(text).remove('\r'));
}

QString COptListDlg::Text() const { return edit_->toPlainText(); }

}  // namespace tv
