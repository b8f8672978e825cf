#include "ui/removable/media_type_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "platform/win_constants.h"
#include "ui/message_box_prompts.h"

namespace tv::test {
namespace {

const MediaTypeQuestion kQuestion{'E', "USB2.0 CardReader SD", "01307090042"};

QComboBox* List(const CMediaTypeSetting& dialog) {
    return dialog.findChild<QComboBox*>(kMediaTypeListObject);
}

QPushButton* Button(const CMediaTypeSetting& dialog, int id) {
    return dialog.findChild<QPushButton*>(QString::number(id));
}

QString Value(const CMediaTypeSetting& dialog, const char* name) {
    return dialog.findChild<QLabel*>(name)->text();
}

QStringList LabelTexts(const CMediaTypeSetting& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    return texts;
}

// Runs the dialog while the user acts on it.
std::optional<int> AskWhile(const std::function<void(CMediaTypeSetting&)>& user) {
    CMediaTypeSetting dialog(kQuestion);
    QTimer::singleShot(0, &dialog, [&] { user(dialog); });
    return dialog.Ask();
}

}  // namespace

class MediaTypeDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheMediumAndTheButtons() {
        const CMediaTypeSetting dialog(kQuestion);
        QCOMPARE(dialog.windowTitle(), QString("メディアタイプ設定ダイアログ"));
        QVERIFY(dialog.isModal());
        const QStringList labels = LabelTexts(dialog);
        for (const char* caption :
             {"ドライブ名：", "カードアダプタ名：", "シリアル番号：", "メディアタイプ(&M)："}) {
            QVERIFY2(labels.contains(caption), caption);
        }
        QCOMPARE(Value(dialog, kMediaDriveNameObject), QString("E:"));
        QCOMPARE(Value(dialog, kMediaAdapterNameObject), QString("USB2.0 CardReader SD"));
        QCOMPARE(Value(dialog, kMediaSerialNumberObject), QString("01307090042"));
        QCOMPARE(Button(dialog, kIdOk)->text(), QString("設定"));
        QCOMPARE(Button(dialog, kIdCancel)->text(), QString("キャンセル"));
        QVERIFY(Button(dialog, kIdOk)->isDefault());
    }

    void listsTheFourteenEntriesInOrderWithTheirCodes() {
        const CMediaTypeSetting dialog(kQuestion);
        const QStringList expected{"なし",          "Compact Flash",  "Smart Media",
                                   "Micro Drive",   "Source Digital", "MultiMedia Card",
                                   "Memory Stick",  "MO Drive",       "USB Memory",
                                   "Miniture Card", "USB Floppy",     "Floppy",
                                   "ZIP Drive",     "USB HardDisk"};
        const QComboBox* list = List(dialog);
        QCOMPARE(list->count(), expected.size());
        for (int i = 0; i < list->count(); ++i) {
            QCOMPARE(list->itemText(i), expected[i]);
            QCOMPARE(list->itemData(i).toInt(), i == 0 ? 0 : 1 << (i - 1));
        }
        QCOMPARE(list->currentIndex(), 0);
    }

    void setHandsBackTheCodeOfTheChosenEntry_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("code");
        QTest::newRow("なし as first selected") << -1 << 0;
        QTest::newRow("Compact Flash") << 1 << 1;
        QTest::newRow("USB Memory") << 8 << 128;
        QTest::newRow("USB HardDisk, the last") << 13 << 4096;
    }

    void setHandsBackTheCodeOfTheChosenEntry() {
        QFETCH(int, entry);
        QFETCH(int, code);
        const std::optional<int> answer = AskWhile([entry](CMediaTypeSetting& dialog) {
            if (entry >= 0) List(dialog)->setCurrentIndex(entry);
            QTest::mouseClick(Button(dialog, kIdOk), Qt::LeftButton);
        });
        QCOMPARE(answer, std::optional<int>(code));
    }

    void cancelOrClosingHandsBackNothing_data() {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("キャンセル") << true;
        QTest::newRow("window closed") << false;
    }

    void cancelOrClosingHandsBackNothing() {
        QFETCH(bool, byButton);
        const std::optional<int> answer = AskWhile([byButton](CMediaTypeSetting& dialog) {
            List(dialog)->setCurrentIndex(3);
            if (byButton) {
                QTest::mouseClick(Button(dialog, kIdCancel), Qt::LeftButton);
            } else {
                dialog.close();
            }
        });
        QCOMPARE(answer, std::nullopt);
    }

    // Resident without a display, a dialog nobody can see must not wait: it counts as
    // cancelled, so the medium is asked about again at its next insertion.
    void withoutADisplayTheDialogCountsAsCancelled() {
        MessageBoxPrompts prompts;
        QCOMPARE(prompts.AskMediaType(kQuestion), std::nullopt);
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::MediaTypeDialogTest)
#include "media_type_dialog_test.moc"
