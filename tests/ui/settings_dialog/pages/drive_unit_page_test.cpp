#include "ui/settings_dialog/pages/drive_unit_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimeEdit>

#include "platform/win_constants.h"
#include "tests/ui/settings_dialog/pages/bound_controls.h"
#include "tests/ui/settings_dialog/pages/page_world.h"
#include "tests/ui/settings_dialog/record_lines.h"
#include "ui/widgets/drive_list_box.h"

namespace tv::test {
namespace {

template <typename Control>
Control* Find(const QWidget& page, const char* name) {
    return page.findChild<Control*>(name);
}

// Drives C (fixed), D (CD), E (removable) and F (fixed).
struct DriveUnitWorld : PageWorld {
    DriveUnitWorld() {
        world.AddDrive('C', kDriveFixed);
        world.AddDrive('D', kDriveCdRom);
        world.AddDrive('E', kDriveRemovable);
        world.AddDrive('F', kDriveFixed);
        record.Synchronize = 1;
        record.SynchroDirectory = world.root('F');
    }
    SettingsRecord record;
};

QString Selection(const CDriveListBox& list) {
    QString letters;
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->isSelected()) letters += QChar(list.LetterAt(row));
    }
    return letters;
}

}  // namespace

class DriveUnitPageTest : public QObject {
    Q_OBJECT

  private slots:
    void listsFixedAndCdDrivesAllSelectedWhileAllDrivesIsChecked() {
        DriveUnitWorld w;
        CFullSyncPage page(&w.record, w.services);
        QCOMPARE(page.windowTitle(), QString("ドライブ単位"));
        auto* list = Find<CDriveListBox>(page, "connectedDrives");
        QCOMPARE(list->count(), 3);
        QCOMPARE(Selection(*list), QString("CDF"));
        QVERIFY(Find<QPushButton>(page, "start")->isEnabled());
    }

    void clearingAllDrivesDeselectsEveryDriveAndDisablesStart() {
        DriveUnitWorld w;
        CFullSyncPage page(&w.record, w.services);
        Find<QCheckBox>(page, "Synchronize")->click();
        QCOMPARE(w.record.Synchronize, 0);
        QCOMPARE(Selection(*Find<CDriveListBox>(page, "connectedDrives")), QString());
        QVERIFY(!Find<QPushButton>(page, "start")->isEnabled());
        QCOMPARE(SettledCapacity(page)->findChild<QLineEdit*>("amountToSave")->text(), "0");
    }

    void withBothChecksTheCdItemStaysUnselected() {
        DriveUnitWorld w;
        CFullSyncPage page(&w.record, w.services);
        Find<QCheckBox>(page, "SyncNoCDCopy")->click();
        auto* list = Find<CDriveListBox>(page, "connectedDrives");
        QVERIFY(list->item(1)->text().startsWith("CD"));
        QCOMPARE(Selection(*list), QString("CF"));
    }

    void fullDestinationMeansNoWarningAtExactly100Percent() {
        DriveUnitWorld w;
        CFullSyncPage page(&w.record, w.services);
        CCapacityDisplay* display = SettledCapacity(page);
        display->Show(500, 500);
        QVERIFY(!page.CapacityWarning());
        QVERIFY(!page.DestinationMayBeTooSmall());
        display->Show(505, 500);
        QVERIFY(page.CapacityWarning());
    }

    void startAsksFirstWhenTheDestinationMayBeTooSmall() {
        const struct {
            uint64_t amount;
            bool asks;
            int answer;
            bool starts;
        } cases[] = {{10, false, 0, true}, {900, true, kIdYes, true}, {900, true, kIdNo, false}};
        for (const auto& c : cases) {
            DriveUnitWorld w;
            CFullSyncPage page(&w.record, w.services);
            SettledCapacity(page)->Show(c.amount, 500);
            if (c.asks) {
                w.prompts.Expect(
                    "転送先の容量が足りない可能性があります\nミラーリング処理を開始しますか？",
                    "確認", kMbYesNo | kMbIconExclamation, c.answer);
            }
            QSignalSpy started(&page, &CFullSyncPage::startRequested);
            Find<QPushButton>(page, "start")->click();
            QCOMPARE(w.prompts.asked().size(), c.asks ? size_t{1} : size_t{0});
            QCOMPARE(started.size(), c.starts ? 1 : 0);
            if (c.starts) QCOMPARE(started.front().front().toInt(), 1074);
        }
    }

    void insideTheScheduleEditorNothingStartsAndTheIntervalIsFixed() {
        DriveUnitWorld w;
        CFullSyncPage page(&w.record, w.services);
        page.SetInScheduleEditor(true);
        QVERIFY(!Find<QPushButton>(page, "start")->isEnabled());
        QVERIFY(!Find<QTimeEdit>(page, "SyncInterval")->isEnabled());
        Find<QCheckBox>(page, "Synchronize")->click();
        Find<QCheckBox>(page, "Synchronize")->click();
        QVERIFY(!Find<QPushButton>(page, "start")->isEnabled());
    }

    void everyBoundControlWritesItsFieldAtOnce() {
        DriveUnitWorld w;
        CFullSyncPage page(&w.record, w.services);
        VerifyEveryChangeLands(
            page, w.record, w.record,
            {
                {"SyncNoCDCopy", Click, [](SettingsRecord& r) { r.SyncNoCDCopy = 1; }},
                {"SynchroDirectory", [](QWidget* c) { QTest::keyClicks(c, "/x"); },
                 [](SettingsRecord& r) { r.SynchroDirectory += "/x"; }},
                {"SyncInterval",
                 [](QWidget* c) { static_cast<QTimeEdit*>(c)->setTime(QTime(2, 30)); },
                 [](SettingsRecord& r) { r.SyncInterval = DateTime::FromTime(2, 30); }},
                {"SyncLoadControl", [](QWidget* c) { static_cast<QSlider*>(c)->setValue(7); },
                 [](SettingsRecord& r) { r.SyncLoadControl = 7; }},
                {"SyncChacheSize", [](QWidget* c) { static_cast<QSlider*>(c)->setValue(3); },
                 [](SettingsRecord& r) { r.SyncChacheSize = 3; }},
                {"SyncForceMirror", Click, [](SettingsRecord& r) { r.SyncForceMirror = 1; }},
                {"SyncForceOverWrite", Click, [](SettingsRecord& r) { r.SyncForceOverWrite = 1; }},
                {"SyncCheckSize", Click, [](SettingsRecord& r) { r.SyncCheckSize = 1; }},
                {"SyncFullBackup", Click, [](SettingsRecord& r) { r.SyncFullBackup = 1; }},
                {"SyncFullBackupCount", [](QWidget* c) { QTest::keyClicks(c, "12x"); },
                 [](SettingsRecord& r) { r.SyncFullBackupCount = 12; }},
                {"SyncNoExcExt", Click, [](SettingsRecord& r) { r.SyncNoExcExt = 1; }},
                {"Synchronize", Click, [](SettingsRecord& r) { r.Synchronize = 0; }},
            });
        QCOMPARE(Find<QLabel>(page, "SyncLoadControlText")->text(), QString("7ms"));
        QCOMPARE(Find<QLabel>(page, "SyncChacheSizeText")->text(), QString("256KB"));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::DriveUnitPageTest)
#include "drive_unit_page_test.moc"
