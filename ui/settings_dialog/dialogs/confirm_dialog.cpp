#include "ui/settings_dialog/dialogs/confirm_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/dialog_font.h"

namespace tv {

namespace {

struct AnswerButton {
    const char* text;
    CopyOrMove answer;
};

const AnswerButton kButtons[] = {
    {"コピー", CopyOrMove::Copy},
    {"移動", CopyOrMove::Move},
    {"コピーしない", CopyOrMove::DontCopy},
    {"キャンセル", CopyOrMove::Cancel},
};

constexpr int kIconPixels = 32;
constexpr int kTextWidth = 300;
constexpr int kTextLines = 3;

QWidget* MakeQuestionText(const std::string& text, QWidget* parent) {
    auto* box = new QPlainTextEdit(QString::fromStdString(text).remove('\r'), parent);
    box->setReadOnly(true);
    box->setFixedWidth(kTextWidth);
    box->setFixedHeight(box->fontMetrics().lineSpacing() * kTextLines + 2 * box->frameWidth() + 8);
    return box;
}

QLabel* MakeQuestionIcon(QWidget* parent) {
    auto* icon = new QLabel(parent);
    const QIcon question = parent->style()->standardIcon(QStyle::SP_MessageBoxQuestion);
    icon->setPixmap(question.pixmap(kIconPixels, kIconPixels));
    icon->setAlignment(Qt::AlignTop);
    return icon;
}

}  // namespace

CConfirmDlg::CConfirmDlg(const std::string& text, QWidget* parent) : QDialog(parent) {
    setFont(DialogFont());
    setWindowTitle(kConfirmDialogCaption);
    auto* question = new QHBoxLayout;
    question->addWidget(MakeQuestionIcon(this));
    question->addWidget(MakeQuestionText(text, this), 1);
    auto* buttons = new QHBoxLayout;
    for (const AnswerButton& entry : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(entry.text), this);
        const int answer = static_cast<int>(entry.answer);
        button->setObjectName(QString::number(answer));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, answer] { done(answer); });
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(question);
    layout->addLayout(buttons);
}

CopyOrMove CConfirmDlg::Ask() {
    // reject() ends with 0, which is not an answer: the close box and Escape cancel.
    const int result = exec();
    for (const AnswerButton& entry : kButtons) {
        if (result == static_cast<int>(entry.answer)) return entry.answer;
    }
    return CopyOrMove::Cancel;
}

}  // namespace tv
