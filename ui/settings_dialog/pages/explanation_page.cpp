#include "ui/settings_dialog/pages/explanation_page.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/dialog_font.h"
#include "ui/settings_dialog/dialog_images.h"

namespace tv {

namespace {

constexpr const char* kHeading =
    "Tessaravine Ver1.0 では左のリストをクリックすることにより各種設定が可能です。";

struct Paragraph {
    const char* category;
    const char* text;
};

const Paragraph kParagraphs[] = {
    {"ドライブ単位", "接続されたドライブ全体を、決まった時刻に保存先へ丸ごと写します。"},
    {"ファイル・ディレクトリ単位",
     "選んだファイルやフォルダだけを、一定の間隔で保存先へ写します。"},
    {"リムーバブル類の動作", "メモリーカードやUSBメモリを差し込んだときの動作と保存先を決めます。"},
    {"詳細設定", "除外するフォルダや拡張子、待機時間など、すべての処理に共通の設定です。"},
    {"スケジュール表示", "日時を決めて行うバックアップの一覧を表示し、編集します。"},
    {"ネットワーク設定", "ネットワーク上の保存先に接続するユーザー名とパスワードです。"},
    {"設定一覧", "現在の設定内容をまとめて確認できます。"},
    {"保存先の閲覧", "バックアップされたファイルを保存先ごとに見ることができます。"},
    {"活動ログ表示", "これまでに行ったバックアップの記録を表示します。"},
    {"テストモード", "設定どおりに動くかどうかを、実際に試すことができます。"},
    {"ヘルプ", "使い方の説明を表示します。"},
};

QLabel* MakeWrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QString ParagraphText(const Paragraph& paragraph) {
    return QString::fromUtf8("<b>%1</b>　%2")
        .arg(QString::fromUtf8(paragraph.category), QString::fromUtf8(paragraph.text));
}

}  // namespace

CExplanDlg::CExplanDlg(QWidget* parent) : QWidget(parent) {
    setFont(DialogFont());
    setWindowTitle(kExplanationPageCaption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    QLabel* heading = MakeWrappedLabel(kHeading, this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    layout->addWidget(heading);
    layout->addSpacing(6);
    for (const Paragraph& paragraph : kParagraphs) {
        layout->addWidget(MakeWrappedLabel(ParagraphText(paragraph), this));
    }
    layout->addStretch(1);
}

void CExplanDlg::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, ExplanationBackdrop(size(), devicePixelRatioF()));
}

}  // namespace tv
