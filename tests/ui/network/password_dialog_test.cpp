#include "ui/network/password_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/win_constants.h"
#include "ui/message_box_prompts.h"

namespace tv::test {
namespace {

QLineEdit* Edit(const CPasswordDlg& dialog, int id) {
    return dialog.findChild<QLineEdit*>(QString::number(id));
}

QPushButton* Button(const CPasswordDlg& dialog, int id) {
    return dialog.findChild<QPushButton*>(QString::number(id));
}

QStringList LabelTexts(const CPasswordDlg& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    return texts;
}

// Runs the prompt for share while the user acts on it.
bool AskWhile(const std::string& share, const std::function<void(CPasswordDlg&)>& user,
              ShareCredentials* entered) {
    CPasswordDlg dialog(share);
    QTimer::singleShot(0, &dialog, [&] { user(dialog); });
    return dialog.Ask(entered);
}

}  // namespace

class PasswordDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheShareAndEmptyEdits() {
        const CPasswordDlg dialog("//srv/data");
        QCOMPARE(dialog.windowTitle(), QString("ネットワークパスワードの入力"));
        QVERIFY(dialog.isModal());
        const QStringList labels = LabelTexts(dialog);
        QVERIFY(labels.contains("ユーザー名およびパスワードを入力して下さい"));
        QVERIFY(labels.contains("ユーザー名(&U)"));
        QVERIFY(labels.contains("パスワード(&P)"));
        QCOMPARE(dialog.findChild<QLabel*>(QString::number(kIdPromptShare))->text(),
                 QString("//srv/data"));
        QCOMPARE(Edit(dialog, kIdPromptUser)->text(), QString());
        QCOMPARE(Edit(dialog, kIdPromptPassword)->text(), QString());
        QCOMPARE(Edit(dialog, kIdPromptUser)->echoMode(), QLineEdit::Normal);
        QCOMPARE(Edit(dialog, kIdPromptPassword)->echoMode(), QLineEdit::Password);
        QCOMPARE(Button(dialog, kIdOk)->text(), QString("OK"));
        QCOMPARE(Button(dialog, kIdCancel)->text(), QString("キャンセル"));
        QVERIFY(Button(dialog, kIdOk)->isDefault());
    }

    void okHandsBackTheEnteredPair() {
        ShareCredentials entered;
        const bool ok = AskWhile(
            "//srv/data",
            [](CPasswordDlg& dialog) {
                QTest::keyClicks(Edit(dialog, kIdPromptUser), "tanaka");
                Edit(dialog, kIdPromptUser)->insert("太郎");
                QTest::keyClicks(Edit(dialog, kIdPromptPassword), "s3cret");
                QTest::mouseClick(Button(dialog, kIdOk), Qt::LeftButton);
            },
            &entered);
        QVERIFY(ok);
        QCOMPARE(QString::fromStdString(entered.user), QString("tanaka太郎"));
        QCOMPARE(QString::fromStdString(entered.password), QString("s3cret"));
    }

    void cancelOrClosingHandsBackNothing_data() {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("キャンセル") << true;
        QTest::newRow("window closed") << false;
    }

    void cancelOrClosingHandsBackNothing() {
        QFETCH(bool, byButton);
        ShareCredentials entered{"before", "kept"};
        const bool ok = AskWhile(
            "//srv/data",
            [byButton](CPasswordDlg& dialog) {
                QTest::keyClicks(Edit(dialog, kIdPromptUser), "tanaka");
                QTest::keyClicks(Edit(dialog, kIdPromptPassword), "s3cret");
                if (byButton) {
                    QTest::mouseClick(Button(dialog, kIdCancel), Qt::LeftButton);
                } else {
                    dialog.close();
                }
            },
            &entered);
        QVERIFY(!ok);
        QCOMPARE(QString::fromStdString(entered.user), QString("before"));
        QCOMPARE(QString::fromStdString(entered.password), QString("kept"));
    }

    void bothEditsKeepAtMost99Bytes() {
        const CPasswordDlg dialog("//srv/data");
        for (const int id : {kIdPromptUser, kIdPromptPassword}) {
            QTest::keyClicks(Edit(dialog, id), QString(100, 'a'));
            QCOMPARE(Edit(dialog, id)->text(), QString(99, 'a'));
        }
    }

    // The program runs resident on the offscreen platform when there is no display: a prompt
    // nobody can see must not wait, and counts as cancelled.
    void withoutADisplayThePromptCountsAsCancelled() {
        MessageBoxPrompts prompts;
        ShareCredentials entered{"before", "kept"};
        QVERIFY(!prompts.AskPassword("//srv/data", &entered));
        QCOMPARE(QString::fromStdString(entered.user), QString("before"));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::PasswordDialogTest)
#include "password_dialog_test.moc"
