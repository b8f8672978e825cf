// Qt's own file dialog as the program dresses it: the columns written as the program's folder
// list writes them, the file-type label's mnemonic working, and the date and type in full view.
#include "ui/widgets/japanese_file_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QTreeView>

#include "tests/support/test_world.h"

namespace tv::test {

class JapaneseFileDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void columnsReadAsInTheProgramsFolderList() {
        TestWorld world;
        const std::string folder = world.MakeFolder("shown");
        world.Write(folder, {{"設定.dat", TreeFile{std::string(2048, 'd')}}, {"写真", {}}});
        QFileDialog dialog(nullptr, "ファイルを開く", QString::fromStdString(folder));
        dialog.setLabelText(QFileDialog::FileType, "ファイルの種類(&T):");
        DressInJapanese(dialog);
        dialog.show();

        auto* details = dialog.findChild<QTreeView*>("treeView");
        QVERIFY(details != nullptr);
        const QAbstractItemModel* model = details->model();
        QTRY_COMPARE(model->rowCount(details->rootIndex()), 2);
        QMap<QString, QStringList> rows;
        for (int row = 0; row < 2; ++row) {
            QStringList texts;
            for (int column = 1; column < 4; ++column) {
                texts << model->index(row, column, details->rootIndex()).data().toString();
            }
            rows[model->index(row, 0, details->rootIndex()).data().toString()] = texts;
        }
        QCOMPARE(rows["写真"].mid(0, 2), (QStringList{"", "ファイル フォルダ"}));
        QCOMPARE(rows["設定.dat"].at(0), QString("2KB"));
        for (const QStringList& texts : rows) {
            QVERIFY2(QDateTime::fromString(texts.at(2), "yyyy/MM/dd HH:mm").isValid(),
                     qPrintable(texts.at(2)));
        }

        const QFontMetrics metrics = details->fontMetrics();
        QVERIFY(details->header()->sectionSize(2) >=
                metrics.horizontalAdvance("ファイル フォルダ"));
        QVERIFY(details->header()->sectionSize(3) >= metrics.horizontalAdvance(rows["写真"].at(2)));
        auto* typeLabel = dialog.findChild<QLabel*>("fileTypeLabel");
        QVERIFY(typeLabel != nullptr && typeLabel->buddy() != nullptr);
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::JapaneseFileDialogTest)
#include "japanese_file_dialog_test.moc"
