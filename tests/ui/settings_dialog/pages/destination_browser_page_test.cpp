#include "ui/settings_dialog/pages/destination_browser_page.h"

#include <QTest>
#include <QTreeWidget>

#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/ui/settings_dialog/pages/page_world.h"
#include "ui/widgets/folder_list_ctrl.h"

namespace tv::test {
namespace {

// A drive unit destination that exists, a file/directory destination on a share, and the
// destinations of two removable drives, one of them missing.
struct BrowserWorld : PageWorld {
    BrowserWorld() {
        world.AddDrive('F', kDriveFixed);
        world.Write(world.root('F'), {{"backup", {}}, {"RME", {}}});
        record.SynchroDirectory = JoinPath(world.root('F'), "backup");
        record.Directry2 = "//nas/share/mirror";
        record.Drives['E' - 'A'].BackupDir = JoinPath(world.root('F'), "RME");
        record.Drives['G' - 'A'].BackupDir = JoinPath(world.root('F'), "RMG");
    }
    SettingsRecord record;
};

// The tree as indented lines, each folder followed by whether it was found.
QStringList TreeLines(const QTreeWidget& tree) {
    QStringList lines;
    const std::function<void(const QTreeWidgetItem*, int)> add = [&](const QTreeWidgetItem* item,
                                                                     int depth) {
        QString line = QString(depth * 2, ' ') + item->text(0);
        const QVariant found = item->data(0, kFolderFoundRole);
        if (found.isValid()) line += found.toBool() ? " +" : " -";
        lines << line;
        for (int index = 0; index < item->childCount(); ++index) add(item->child(index), depth + 1);
    };
    for (int index = 0; index < tree.topLevelItemCount(); ++index) add(tree.topLevelItem(index), 0);
    return lines;
}

QTreeWidgetItem* ItemTexted(const QTreeWidget& tree, const QString& text) {
    const QList<QTreeWidgetItem*> found =
        tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

}  // namespace

class DestinationBrowserPageTest : public QObject {
    Q_OBJECT

  private slots:
    // A share that cannot be connected is listed without looking; one that connects is
    // disconnected again once looked at (connecting drops an earlier connection first: one
    // unmount in either case). The tree is built once, at the first showing.
    void listsEveryDestinationOnceLookingAtSharesOnlyWhileConnected() {
        const struct {
            MountResult answer;
            size_t unmounts;
        } cases[] = {{MountResult::kUnreachable, 1}, {MountResult::kMounted, 2}};
        for (const auto& c : cases) {
            BrowserWorld w;
            w.mounter.answer = c.answer;
            CSaveListDlg page(&w.record, w.services);
            QCOMPARE(page.windowTitle(), QString("保存先の閲覧"));
            auto* tree = page.findChild<QTreeWidget*>("destinations");
            QCOMPARE(tree->topLevelItemCount(), 0);
            page.show();
            const QString f = QString::fromStdString(w.world.root('F'));
            QCOMPARE(TreeLines(*tree), QStringList({
                                           "保存先一覧",
                                           "  接続ドライブ一括処理",
                                           "    " + f + "backup +",
                                           "  ファイル・ディレクトリ単位",
                                           "    //nas/share/mirror -",
                                           "  リムーバブル・メディア類の動作",
                                           "    " + f + "RME +",
                                           "    " + f + "RMG -",
                                       }));
            QVERIFY(!w.mounter.mounted.empty());
            for (const std::string& share : w.mounter.mounted) QCOMPARE(share, "//nas/share");
            QCOMPARE(w.mounter.unmounted.size(), c.unmounts);
            QVERIFY(tree->topLevelItem(0)->child(2)->isExpanded());

            const size_t mounts = w.mounter.mounted.size();
            w.record.SynchroDirectory = "/elsewhere";
            page.hide();
            page.show();
            QCOMPARE(TreeLines(*tree).size(), 8);
            QCOMPARE(w.mounter.mounted.size(), mounts);
        }
    }

    void selectingAFolderShowsItsContentsAndAGroupLabelChangesNothing() {
        BrowserWorld w;
        CSaveListDlg page(&w.record, w.services);
        page.show();
        auto* tree = page.findChild<QTreeWidget*>("destinations");
        auto* contents = page.findChild<CFolderListCtrl*>("folderContents");
        const QString backup = QString::fromStdString(w.record.SynchroDirectory);
        tree->setCurrentItem(ItemTexted(*tree, backup));
        QCOMPARE(contents->Folder(), backup);
        tree->setCurrentItem(ItemTexted(*tree, "接続ドライブ一括処理"));
        QCOMPARE(contents->Folder(), backup);
        tree->setCurrentItem(ItemTexted(*tree, "保存先一覧"));
        QCOMPARE(contents->Folder(), backup);
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::DestinationBrowserPageTest)
#include "destination_browser_page_test.moc"
