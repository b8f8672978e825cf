#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "platform/win_constants.h"
#include "ui/message_box_prompts.h"

namespace tv::test {

class MessageBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void buttonsCarryTheSystemsJapaneseLabels_data() {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("yes/no question")
            << (kMbYesNo | kMbIconQuestion) << QStringList{"はい(&Y)", "いいえ(&N)"}
            << QMessageBox::Question;
        QTest::newRow("ok/cancel warning")
            << (kMbOkCancel | kMbIconExclamation) << QStringList{"OK", "キャンセル"}
            << QMessageBox::Warning;
        QTest::newRow("ok error") << (kMbOk | kMbIconHand) << QStringList{"OK"}
                                  << QMessageBox::Critical;
    }

    void buttonsCarryTheSystemsJapaneseLabels() {
        QFETCH(unsigned, flags);
        QFETCH(QStringList, labels);
        QFETCH(QMessageBox::Icon, icon);
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(
            "Tessaravineを終了します\n終了してもよろしいでしょうか？", "確認", flags);
        QStringList shown;
        for (QAbstractButton* button : box->buttons()) shown << button->text();
        shown.sort();
        labels.sort();
        QCOMPARE(shown, labels);
        // The first button is the default, as with the system's boxes.
        QCOMPARE(box->defaultButton()->text(), labels.contains("はい(&Y)") ? "はい(&Y)" : "OK");
        QCOMPARE(box->icon(), icon);
        QCOMPARE(box->windowTitle(), QString("確認"));
        QCOMPARE(box->text(), QString("Tessaravineを終了します\n終了してもよろしいでしょうか？"));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::MessageBoxTest)
#include "message_box_test.moc"
