#include "ui/settings_dialog/pages/removable_page.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/ui/settings_dialog/pages/bound_controls.h"
#include "tests/ui/settings_dialog/pages/page_world.h"
#include "ui/widgets/drive_list_box.h"
#include "ui/widgets/folder_list_ctrl.h"

namespace tv::test {
namespace {

template <typename Control>
Control* Find(const QWidget& page, const char* name) {
    return page.findChild<Control*>(name);
}

QRadioButton* WorkButton(const QWidget& page, DriveWork work) {
    return Find<QRadioButton>(page, QString("Work%1").arg(static_cast<int>(work)).toUtf8());
}

// Removable drives A, E and G, fixed drive C; the record knows A and E, both set to "作業しない".
struct RemovableWorld : PageWorld {
    RemovableWorld() {
        world.AddDrive('A', kDriveRemovable);
        world.AddDrive('C', kDriveFixed);
        world.AddDrive('E', kDriveRemovable, 0x1234, "CAMERA");
        world.AddDrive('G', kDriveRemovable);
        for (const char letter : {'A', 'E'}) {
            DriveEntry& entry = Entry(letter);
            entry.Kind = kDriveRemovable;
            entry.Work = DriveWork::NoBackup;
            entry.Name = std::string(1, letter) + ":";
            entry.BackupDir = "/backups/" + std::string(1, letter);
        }
        Entry('C').Kind = kDriveFixed;
        Entry('C').Work = DriveWork::UnitSource;
        Entry('K').Kind = kDriveRemovable;  // a drive that has gone
    }
    DriveEntry& Entry(char letter) { return record.Drives[letter - 'A']; }
    SettingsRecord record;
};

QString Letters(const CDriveListBox& list) {
    QString letters;
    for (int row = 0; row < list.count(); ++row) letters += QChar(list.LetterAt(row));
    return letters;
}

}  // namespace

class RemovablePageTest : public QObject {
    Q_OBJECT

  private slots:
    void selectedDriveShowsItsWorkDestinationAndContents() {
        RemovableWorld w;
        w.world.Write(w.world.root('E'), {{"DCIM", {}}});
        CRemovableDlg page(&w.record, w.services);
        QCOMPARE(page.windowTitle(), QString("リムーバブル類の動作"));
        auto* list = Find<CDriveListBox>(page, "removableDrives");
        QCOMPARE(Letters(*list), QString("AEK"));
        QCOMPARE(Find<QLineEdit>(page, "BackupDir")->text(), QString("/backups/A"));
        QVERIFY(!WorkButton(page, DriveWork::AutoBackup)->isEnabled());
        QVERIFY(WorkButton(page, DriveWork::NoBackup)->isChecked());

        list->setCurrentRow(1);
        QVERIFY(WorkButton(page, DriveWork::AutoBackup)->isEnabled());
        auto* contents = Find<CFolderListCtrl>(page, "mediaContents");
        QTRY_COMPARE(contents->topLevelItemCount(), 2);
        QCOMPARE(contents->topLevelItem(1)->text(0), QString("DCIM"));

        WorkButton(page, DriveWork::ManualBackup)->click();
        QCOMPARE(w.Entry('E').Work, DriveWork::ManualBackup);
        QTest::keyClicks(Find<QLineEdit>(page, "BackupDir"), "/new");
        QCOMPARE(w.Entry('E').BackupDir, std::string("/backups/E/new"));
        QCOMPARE(w.Entry('A').BackupDir, std::string("/backups/A"));
    }

    void rescanPutsRemovableDrivesBackToAutomaticButFloppies() {
        RemovableWorld w;
        CRemovableDlg page(&w.record, w.services);
        Find<QPushButton>(page, "rescan")->click();
        QCOMPARE(w.Entry('A').Work, DriveWork::ManualBackup);
        QCOMPARE(w.Entry('E').Work, DriveWork::AutoBackup);
        QCOMPARE(w.Entry('G').Work, DriveWork::AutoBackup);
        QCOMPARE(w.Entry('E').Name, std::string("CAMERA (E:)"));
        QCOMPARE(w.Entry('E').BackupDir, std::string("/backups/E"));
        QCOMPARE(w.Entry('G').BackupDir, JoinPath(w.world.locations().documentsDir, "RMG"));
        QCOMPARE(w.Entry('G').Kind, kDriveRemovable);
        QCOMPARE(w.Entry('K').Kind, kDriveUnknown);
        QCOMPARE(w.Entry('C').Work, DriveWork::UnitSource);
        QCOMPARE(Letters(*Find<CDriveListBox>(page, "removableDrives")), QString("AEG"));
        QVERIFY(WorkButton(page, DriveWork::ManualBackup)->isChecked());
    }

    void browsingTakesTheChosenFolderAndRefusesOneWithoutAPath() {
        RemovableWorld w;
        CRemovableDlg page(&w.record, w.services);
        w.nextChoice = QUrl("smb://nas/share");
        Find<QPushButton>(page, "BackupDirBrowse")->click();
        QCOMPARE(w.prompts.asked().size(), size_t{1});
        QCOMPARE(w.prompts.asked().front().text, std::string("パス名が認識できません。"));
        QCOMPARE(w.prompts.asked().front().caption, std::string());
        QCOMPARE(w.Entry('A').BackupDir, std::string("/backups/A"));
        w.nextChoice = QUrl::fromLocalFile("/srv/cards");
        Find<QPushButton>(page, "BackupDirBrowse")->click();
        QCOMPARE(w.Entry('A').BackupDir, std::string("/srv/cards"));
    }

    void everyBoundControlWritesItsFieldAtOnce() {
        RemovableWorld w;
        CRemovableDlg page(&w.record, w.services);
        VerifyEveryChangeLands(
            page, w.record, w.record,
            {
                {"PCcardAuto", Click, [](SettingsRecord& r) { r.PCcardAuto = 1; }},
                {"RemLoadControl", [](QWidget* c) { static_cast<QSlider*>(c)->setValue(4); },
                 [](SettingsRecord& r) { r.RemLoadControl = 4; }},
                {"RemChacheSize", [](QWidget* c) { static_cast<QSlider*>(c)->setValue(1); },
                 [](SettingsRecord& r) { r.RemChacheSize = 1; }},
                {"ForceMirror1", Click, [](SettingsRecord& r) { r.ForceMirror1 = 1; }},
                {"ForceOverWrite1", Click, [](SettingsRecord& r) { r.ForceOverWrite1 = 1; }},
                {"CheckSizeFolder", Click, [](SettingsRecord& r) { r.CheckSizeFolder = 1; }},
            });
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::RemovablePageTest)
#include "removable_page_test.moc"
