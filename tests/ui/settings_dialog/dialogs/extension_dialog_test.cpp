#include "ui/settings_dialog/dialogs/extension_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace tv::test {

class ExtensionDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void offersTheCommonExtensionsInOrder() {
        CExtDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString("拡張子選択ダイアログ"));
        // Wide enough that a title bar shows the whole caption, not "拡張子選… アログ".
        QVERIFY(dialog.minimumWidth() >
                dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 100);
        const auto* list = dialog.findChild<QComboBox*>("extensions");
        QStringList offered;
        for (int index = 0; index < list->count(); ++index) offered << list->itemText(index);
        QCOMPARE(offered, QStringList({"TXT", "DOC", "XLS", "EXE", "COM", "DLL", "SYS", "BMP",
                                       "JPG", "GIF", "AVI", "MOV", "MPG", "M2V", "M2P"}));
    }

    // Every script's letters are upper-cased as Unicode says; what has no case stays.
    void okGivesTheTypedTextInUpperCase() {
        const struct {
            const char* typed;
            const char* given;
        } cases[] = {
            {"jpg", "JPG"},   {"Jpg2", "JPG2"},       {"ｊｐｇ", "ＪＰＧ"},
            {"ｼﾞｪｲ", "ｼﾞｪｲ"}, {"写真jpg", "写真JPG"}, {"ä", "Ä"},
            {"", ""},
        };
        for (const auto& c : cases) {
            CExtDlg dialog;
            QLineEdit* edit = dialog.findChild<QComboBox*>("extensions")->lineEdit();
            edit->clear();
            // As an input method commits it: key clicks carry Latin-1 only.
            edit->insert(QString::fromUtf8(c.typed));
            QVERIFY2(dialog.Extension() == QString::fromUtf8(c.given), c.typed);
        }
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::ExtensionDialogTest)
#include "extension_dialog_test.moc"
