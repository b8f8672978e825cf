#include "ui/settings_dialog/dialogs/drop_file_dialog.h"

#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

// A folder "photos" and a file "notes.txt", and a drive C pinned to a folder of its own.
struct DropWorld {
    DropWorld() {
        world.Write(base, {{"photos", {}}, {"notes.txt", TreeFile{"n"}}});
        world.AddDrive('C', kDriveFixed);
    }
    std::string Path(const char* name) const { return JoinPath(base, name); }
    TestWorld world;
    std::string base = world.MakeFolder("things");
    ScriptedPrompts prompts;
    QUrl nextChoice;
    FolderChooser chooser = [this](QWidget*, const QString&) { return nextChoice; };
};

QStringList Items(const CDropFileDlg& dialog) {
    const auto* items = dialog.findChild<QListWidget*>("items");
    QStringList texts;
    for (int row = 0; row < items->count(); ++row) texts << items->item(row)->text();
    return texts;
}

QStringList Messages(const CDropFileDlg& dialog) {
    return dialog.findChild<QPlainTextEdit*>("messages")->toPlainText().split('\n');
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Drags urls onto the dialog and drops them there, as the file manager does; false when the
// dialog refuses the drag.
bool Drop(CDropFileDlg& dialog, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF at(dialog.width() / 2, dialog.height() / 2);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &drop);
    return drop.isAccepted();
}

}  // namespace

class DropFileDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void droppedFilesAreAddedOnlyWhereTheOpenerAcceptsThem() {
        for (const bool filesAccepted : {false, true}) {
            DropWorld w;
            std::vector<std::string> list;
            CDropFileDlg dialog(&list, filesAccepted, w.prompts, w.chooser);
            QCOMPARE(dialog.windowTitle(), QString("ファイル/フォルダの選択"));
            QVERIFY(dialog.acceptDrops());
            QVERIFY(Drop(dialog, {QUrl::fromLocalFile(Q(w.Path("notes.txt"))),
                                  QUrl("https://example.invalid/page"),
                                  QUrl::fromLocalFile(Q(w.Path("photos")))}));
            QStringList expected;
            if (filesAccepted) expected << Q(w.Path("notes.txt"));
            expected << Q(w.Path("photos"));
            QCOMPARE(Items(dialog), expected);
        }
    }

    void aRepeatIsRefusedAndAMissingPathIgnored() {
        DropWorld w;
        std::vector<std::string> list = {w.Path("photos")};
        CDropFileDlg dialog(&list, true, w.prompts, w.chooser);
        dialog.AddPath(w.Path("photos") + "/");
        dialog.AddPath(w.Path("gone"));
        dialog.AddPath(w.Path("notes.txt"));
        QCOMPARE(Items(dialog), QStringList({Q(w.Path("photos")), Q(w.Path("notes.txt"))}));
        QCOMPARE(Messages(dialog), QStringList({Q(w.Path("photos")) + "は追加出来ません。",
                                                Q(w.Path("notes.txt")) + "を追加しました。"}));
    }

    void theRootOfCIsListedWithoutItsTrailingSeparator() {
        DropWorld w;
        std::vector<std::string> list;
        CDropFileDlg dialog(&list, false, w.prompts, w.chooser);
        const std::string root = w.world.root('C');
        QVERIFY(root.back() == '/');
        w.nextChoice = QUrl::fromLocalFile(Q(root));
        dialog.findChild<QPushButton*>("pickFolder")->click();
        QCOMPARE(Items(dialog), QStringList({Q(WithoutTrailingSeparators(root))}));
        w.nextChoice = QUrl("smb://nas/share");
        dialog.findChild<QPushButton*>("pickFolder")->click();
        QCOMPARE(w.prompts.asked().back().text, std::string("パス名が認識できません。"));
        QCOMPARE(Items(dialog).size(), 1);
    }

    void okReplacesTheListInOrderAndCancelKeepsIt() {
        for (const bool ok : {true, false}) {
            DropWorld w;
            std::vector<std::string> list = {w.Path("photos"), w.Path("notes.txt")};
            CDropFileDlg dialog(&list, true, w.prompts, w.chooser);
            auto* items = dialog.findChild<QListWidget*>("items");
            items->item(0)->setSelected(true);
            dialog.findChild<QPushButton*>("delete")->click();
            QCOMPARE(Messages(dialog), QStringList({Q(w.Path("photos")) + "を削除しました。"}));
            dialog.AddPath(w.Path("photos"));
            dialog.findChild<QPushButton*>(QString::number(ok ? kIdOk : kIdCancel))->click();
            const std::vector<std::string> expected =
                ok ? std::vector<std::string>{w.Path("notes.txt"), w.Path("photos")}
                   : std::vector<std::string>{w.Path("photos"), w.Path("notes.txt")};
            QCOMPARE(list, expected);
        }
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::DropFileDialogTest)
#include "drop_file_dialog_test.moc"
