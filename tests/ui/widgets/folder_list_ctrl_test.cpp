#include "ui/widgets/folder_list_ctrl.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "controller/lists/folder_list_texts.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

QStringList Names(const CFolderListCtrl& list) {
    QStringList names;
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        names << list.topLevelItem(row)->text(0);
    return names;
}

// Fills list with folder and waits for the end of the fill; true when it could be listed.
bool Filled(CFolderListCtrl& list, const std::string& folder) {
    QSignalSpy filled(&list, &CFolderListCtrl::filled);
    list.ShowFolder(QString::fromStdString(folder));
    return filled.wait(20000) && !filled.front().front().toBool();
}

}  // namespace

class FolderListCtrlTest : public QObject {
    Q_OBJECT

  private slots:
    // Names are ordered in the program's locale, which the program sets at start.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan)); }

    void sizeTextsRoundDownWithAtLeastOneKilobyte() {
        const struct {
            uint64_t bytes;
            const char* text;
        } cases[] = {
            {0, "1KB"},          {1023, "1KB"},    {1024, "1KB"},          {2047, "1KB"},
            {1048575, "1023KB"}, {1048576, "1MB"}, {1073741823, "1023MB"}, {1073741824, "1GB"},
            {5ull << 30, "5GB"},
        };
        for (const auto& c : cases) {
            QCOMPARE(QString::fromStdString(FolderListSizeText(c.bytes)), QString(c.text));
        }
    }

    void systemFoldersArePassedOverOnlyWhenMarkedSo() {
        const struct {
            const char* name;
            uint32_t attributes;
            bool passedOver;
        } cases[] = {
            {"RECYCLER", kAttrDirectory | kAttrHidden, true},
            {"System Volume Information", kAttrDirectory | kAttrSystem, true},
            {"SYSﾌｫﾙﾀﾞ", kAttrDirectory | kAttrHidden | kAttrSystem, true},
            {"RECYCLER", kAttrDirectory, false},
            {"RECYCLER", kAttrHidden, false},  // a file of that name
            {"Photos", kAttrDirectory | kAttrHidden, false},
        };
        for (const auto& c : cases) {
            FileStatus entry;
            entry.name = c.name;
            entry.attributes = c.attributes;
            QVERIFY2(IsPassedOverSystemFolder(entry) == c.passedOver, c.name);
        }
    }

    void listsAFolderWithSizesTypesAndTheUpItem() {
        TestWorld world;
        const std::string folder = world.MakeFolder("shown");
        world.Write(folder, {{"small.txt", TreeFile{std::string(1023, 's')}},
                             {"mega.bin", TreeFile{std::string(1048576, 'm')}},
                             {"sub", {}}});
        CFolderListCtrl list;
        QVERIFY(Filled(list, folder));
        QCOMPARE(list.topLevelItem(0)->text(0), QString("*上の階層へ*"));
        QMap<QString, QTreeWidgetItem*> items;
        for (int row = 1; row < list.topLevelItemCount(); ++row) {
            items[list.topLevelItem(row)->text(0)] = list.topLevelItem(row);
        }
        QCOMPARE(items.keys(), QStringList({"mega.bin", "small.txt", "sub"}));
        QCOMPARE(items["small.txt"]->text(1), QString("1KB"));
        QCOMPARE(items["mega.bin"]->text(1), QString("1MB"));
        QCOMPARE(items["sub"]->text(1), QString());
        QCOMPARE(items["sub"]->text(2), QString("ファイル フォルダ"));
        QVERIFY(QDateTime::fromString(items["sub"]->text(3), "yyyy/MM/dd HH:mm:ss").isValid());

        emit list.itemDoubleClicked(items["sub"], 0);
        QTRY_COMPARE(list.Folder(), QString::fromStdString(JoinPath(folder, "sub")));
        QTRY_COMPARE(Names(list), QStringList({"*上の階層へ*"}));
        emit list.itemDoubleClicked(list.topLevelItem(0), 0);
        QTRY_COMPARE(list.topLevelItemCount(), 4);
        QCOMPARE(list.Folder(), QString::fromStdString(folder));
    }

    // As a file manager shows a folder, whatever order the file system lists it in: folders
    // first, then files, each by name without regard to case, numbers by their value, Latin
    // before kana before kanji.
    void entriesComeFoldersFirstInNameOrder() {
        TestWorld world;
        const std::string folder = world.MakeFolder("sorted");
        world.Write(folder, {{"写真", {}},
                             {"b", {}},
                             {"フォルダ10", {}},
                             {"A", {}},
                             {"フォルダ9", {}},
                             {"あいさつ.txt", TreeFile{"a"}},
                             {"IMG_10.JPG", TreeFile{"1"}},
                             {"Zeta.doc", TreeFile{"z"}},
                             {"img_2.jpg", TreeFile{"2"}},
                             {"漢字.txt", TreeFile{"k"}},
                             {"readme.txt", TreeFile{"r"}}});
        CFolderListCtrl list;
        QVERIFY(Filled(list, folder));
        QCOMPARE(Names(list), QStringList({"*上の階層へ*", "A", "b", "フォルダ9", "フォルダ10",
                                           "写真", "img_2.jpg", "IMG_10.JPG", "readme.txt",
                                           "Zeta.doc", "あいさつ.txt", "漢字.txt"}));
    }

    void aFolderThatCannotBeListedLeavesTheListEmpty() {
        TestWorld world;
        CFolderListCtrl list;
        QVERIFY(!Filled(list, JoinPath(world.base(), "missing")));
        QCOMPARE(list.topLevelItemCount(), 0);
    }

    // Not a timed assertion: the longest pause of the event loop is printed for the record.
    void aLargeFolderFillsWhileTheWindowKeepsAnswering() {
        TestWorld world;
        const std::string folder = world.MakeFolder("large");
        for (int index = 0; index < 10000; ++index) {
            std::ofstream(JoinPath(folder, "file" + std::to_string(index) + ".dat")) << index;
        }
        CFolderListCtrl list;
        list.show();
        QElapsedTimer sinceLastTick;
        qint64 longestPause = 0;
        QTimer ticker;
        ticker.setInterval(1);
        connect(&ticker, &QTimer::timeout, &list,
                [&] { longestPause = std::max(longestPause, sinceLastTick.restart()); });
        sinceLastTick.start();
        ticker.start();
        QElapsedTimer whole;
        whole.start();
        QVERIFY(Filled(list, folder));
        ticker.stop();
        QCOMPARE(list.topLevelItemCount(), 10001);
        for (const int index : {0, 1, 9, 10, 99, 100, 9999}) {
            QCOMPARE(list.topLevelItem(index + 1)->text(0), QString("file%1.dat").arg(index));
        }
        qInfo("10,000 entries filled in %lld ms; the event loop paused %lld ms at the longest",
              static_cast<long long>(whole.elapsed()), static_cast<long long>(longestPause));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::FolderListCtrlTest)
#include "folder_list_ctrl_test.moc"
