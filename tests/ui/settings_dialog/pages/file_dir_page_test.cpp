#include "ui/settings_dialog/pages/file_dir_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimeEdit>

#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/ui/settings_dialog/pages/bound_controls.h"
#include "tests/ui/settings_dialog/pages/page_world.h"
#include "tests/ui/settings_dialog/record_lines.h"
#include "ui/widgets/drive_list_box.h"
#include "ui/widgets/progress_bar_ex.h"

namespace tv::test {
namespace {

template <typename Control>
Control* Find(const QWidget& page, const char* name) {
    return page.findChild<Control*>(name);
}

// Drives C (fixed, a source of the run), D (CD) and E (removable); the record knows their kinds.
struct FileDirWorld : PageWorld {
    FileDirWorld() {
        const int types[] = {kDriveFixed, kDriveCdRom, kDriveRemovable};
        for (int index = 0; index < 3; ++index) {
            world.AddDrive(DriveLetterAt(index + 2), types[index]);
            record.Drives[index + 2].Kind = types[index];
            record.Drives[index + 2].Work = DriveWork::NotSource;
        }
        record.Drives[2].Work = DriveWork::UnitSource;
        record.Directry2 = world.root('C');
    }
    DriveWork WorkOf(char letter) const { return record.Drives[letter - 'A'].Work; }
    SettingsRecord record;
};

}  // namespace

class FileDirPageTest : public QObject {
    Q_OBJECT

  private slots:
    void selectingADriveMakesItASourceOfTheRun() {
        FileDirWorld w;
        CFileDirPage page(&w.record, w.services);
        QCOMPARE(page.windowTitle(), QString("ファイル・ディレクトリ単位"));
        auto* list = Find<CDriveListBox>(page, "sourceDrives");
        QCOMPARE(list->count(), 2);
        QVERIFY(list->item(0)->isSelected());
        QVERIFY(!list->item(1)->isSelected());
        QVERIFY(Find<QPushButton>(page, "start")->isEnabled());

        list->item(1)->setSelected(true);
        QCOMPARE(w.WorkOf('D'), DriveWork::UnitSource);
        list->item(0)->setSelected(false);
        QCOMPARE(w.WorkOf('C'), DriveWork::NotSource);
        QCOMPARE(w.WorkOf('E'), DriveWork::NotSource);  // not listed, left alone
        list->item(1)->setSelected(false);
        QVERIFY(!Find<QPushButton>(page, "start")->isEnabled());
    }

    void aFileListEntryAloneEnablesStart() {
        FileDirWorld w;
        w.record.Drives[2].Work = DriveWork::NotSource;
        w.record.FileList = {w.world.root('C')};
        CFileDirPage page(&w.record, w.services);
        QVERIFY(Find<QPushButton>(page, "start")->isEnabled());
        page.SetInScheduleEditor(true);
        QVERIFY(!Find<QPushButton>(page, "start")->isEnabled());
        QVERIFY(!Find<QTimeEdit>(page, "MirrorInterval")->isEnabled());
    }

    void exactlyFullDestinationWarnsAndStartsWith1078WhenConfirmed() {
        FileDirWorld w;
        CFileDirPage page(&w.record, w.services);
        SettledCapacity(page)->Show(500, 500);
        QVERIFY(page.CapacityWarning());
        auto* bar = Find<CProgressBarEx>(page, "utilisation");
        QCOMPARE(bar->BarColor(), 0x0000FFu);
        QCOMPARE(bar->Pos(), 100);
        w.prompts.Expect("転送先の容量が足りない可能性があります\nミラーリング処理を開始しますか？",
                         "確認", kMbYesNo | kMbIconExclamation, kIdYes);
        QSignalSpy started(&page, &CFileDirPage::startRequested);
        Find<QPushButton>(page, "start")->click();
        QCOMPARE(started.size(), 1);
        QCOMPARE(started.front().front().toInt(), 1078);
    }

    void aShareThatCannotBeConnectedCountsNothingUsableAndShowsRed() {
        FileDirWorld w;
        w.record.Drives[2].Work = DriveWork::NotSource;
        const std::string folder = w.world.MakeFolder("data");
        w.world.Write(folder, {{"big.bin", TreeFile{std::string(2u << 20, 'b')}}});
        w.record.FileList = {folder};
        w.record.Directry2 = "//nas/backup/mirror";
        CFileDirPage page(&w.record, w.services);
        CCapacityDisplay* display = SettledCapacity(page);
        QCOMPARE(display->findChild<QLineEdit*>("amountToSave")->text(), QString("2"));
        QCOMPARE(display->findChild<QLineEdit*>("usableCapacity")->text(), QString("0"));
        QCOMPARE(Find<CProgressBarEx>(page, "utilisation")->BarColor(), 0x0000FFu);
        QVERIFY(page.CapacityWarning());
        QCOMPARE(w.mounter.mounted.front(), std::string("//nas/backup"));
    }

    void everyBoundControlWritesItsFieldAtOnce() {
        FileDirWorld w;
        CFileDirPage page(&w.record, w.services);
        VerifyEveryChangeLands(
            page, w.record, w.record,
            {
                {"Directry2", [](QWidget* c) { QTest::keyClicks(c, "m"); },
                 [](SettingsRecord& r) { r.Directry2 += "m"; }},
                {"MirrorInterval",
                 [](QWidget* c) { static_cast<QTimeEdit*>(c)->setTime(QTime(11, 5)); },
                 [](SettingsRecord& r) { r.MirrorInterval = DateTime::FromTime(11, 5); }},
                {"MirrorLoadControl", [](QWidget* c) { static_cast<QSlider*>(c)->setValue(10); },
                 [](SettingsRecord& r) { r.MirrorLoadControl = 10; }},
                {"MirrorChacheSize", [](QWidget* c) { static_cast<QSlider*>(c)->setValue(7); },
                 [](SettingsRecord& r) { r.MirrorChacheSize = 7; }},
                {"ForceMirror2", Click, [](SettingsRecord& r) { r.ForceMirror2 = 1; }},
                {"ForceOverWrite2", Click, [](SettingsRecord& r) { r.ForceOverWrite2 = 1; }},
                {"CheckSizeDrive", Click, [](SettingsRecord& r) { r.CheckSizeDrive = 1; }},
            });
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::FileDirPageTest)
#include "file_dir_page_test.moc"
