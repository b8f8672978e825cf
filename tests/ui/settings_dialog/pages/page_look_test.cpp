// The settings pages and the schedule pages as the settings dialog shows them: at the size of
// its page area, with real drives and a real folder. Every text must fit its control and no two
// controls may overlap. With TV_PAGE_SHOTS set to a folder, each page is also saved there as a
// PNG to look at.
#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include "log/log_store.h"
#include "platform/win_constants.h"
#include "tests/support/fake_clock.h"
#include "tests/ui/schedule_editor/schedule_editor_world.h"
#include "tests/ui/settings_dialog/pages/page_world.h"
#include "ui/log_viewer/log_list_dialog.h"
#include "ui/schedule_editor/schedule_page.h"
#include "ui/schedule_editor/schedule_view_page.h"
#include "ui/settings_dialog/dialog_images.h"
#include "ui/settings_dialog/pages/destination_browser_page.h"
#include "ui/settings_dialog/pages/details_page.h"
#include "ui/settings_dialog/pages/drive_unit_page.h"
#include "ui/settings_dialog/pages/file_dir_page.h"
#include "ui/settings_dialog/pages/removable_page.h"
#include "ui/test_mode/test_mode_dialog.h"
#include "ui/widgets/folder_list_ctrl.h"

namespace tv::test {
namespace {

struct LookWorld : PageWorld {
    LookWorld() {
        world.AddDrive('C', kDriveFixed);
        world.AddDrive('D', kDriveCdRom);
        world.AddDrive('E', kDriveRemovable, 0x1234, "CAMERA");
        world.AddDrive('F', kDriveFixed, std::nullopt, "データ");
        world.Write(world.root('E'),
                    {{"DCIM", {{"IMG_0001.JPG", TreeFile{std::string(300000, 'j')}}}},
                     {"メモ.txt", TreeFile{"memo"}}});
        record.Synchronize = 1;
        record.SyncNoCDCopy = 1;
        record.SynchroDirectory = world.root('F') + "backup";
        record.Directry2 = world.root('F') + "mirror";
        record.FileList = {world.root('C')};
        record.Drives['C' - 'A'] = {"ローカル ディスク (C:)", kDriveFixed, DriveWork::UnitSource,
                                    ""};
        record.Drives['E' - 'A'] = {"CAMERA (E:)", kDriveRemovable, DriveWork::AutoBackup,
                                    world.root('F') + "RME"};
        record.ExtList = {"TMP", "BAK"};
        record.IncExtList = {"JPG"};
        record.ExceptDate = DateTime::FromParts(2005, 7, 1);
        record.BeforeLogDate = DateTime::FromParts(2000, 1, 31);
    }
    SettingsRecord record;
};

// The texts of labels and buttons that their controls cut off.
QStringList ClippedTexts(const QWidget& page) {
    QStringList clipped;
    for (const QLabel* label : page.findChildren<QLabel*>()) {
        if (label->isVisible() && label->width() < label->sizeHint().width())
            clipped << label->text();
    }
    for (const QAbstractButton* button : page.findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->width() < button->sizeHint().width()) {
            clipped << button->text();
        }
    }
    return clipped;
}

// Pairs of sibling controls that cover each other.
QStringList Overlaps(const QWidget& page) {
    QStringList overlaps;
    const QList<QWidget*> children = page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < children.size(); ++i) {
        for (int j = i + 1; j < children.size(); ++j) {
            if (children[i]->isVisible() && children[j]->isVisible() &&
                children[i]->geometry().intersects(children[j]->geometry())) {
                overlaps << children[i]->objectName() + "/" + children[j]->objectName();
            }
        }
    }
    return overlaps;
}

void Look(QWidget& page, const char* name) {
    QVERIFY2(page.minimumSizeHint().width() <= kPageRect.width(),
             qPrintable(QString::number(page.minimumSizeHint().width())));
    QVERIFY2(page.minimumSizeHint().height() <= kPageRect.height(),
             qPrintable(QString::number(page.minimumSizeHint().height())));
    page.setGeometry(kPageRect);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    if (auto* contents = page.findChild<CFolderListCtrl*>()) {
        QTRY_VERIFY(contents->topLevelItemCount() > 1);
    }
    SettledCapacity(page);
    QCOMPARE(ClippedTexts(page), QStringList());
    QCOMPARE(Overlaps(page), QStringList());
    const QByteArray shots = qgetenv("TV_PAGE_SHOTS");
    if (!shots.isEmpty()) QVERIFY(page.grab().save(shots + "/" + name + ".png"));
}

}  // namespace

class PageLookTest : public QObject {
    Q_OBJECT

  private slots:
    void driveUnitPage() {
        LookWorld w;
        CFullSyncPage page(&w.record, w.services);
        Look(page, "drive_unit_page");
    }
    void fileDirPage() {
        LookWorld w;
        CFileDirPage page(&w.record, w.services);
        Look(page, "file_dir_page");
    }
    void removablePage() {
        LookWorld w;
        CRemovableDlg page(&w.record, w.services);
        Look(page, "removable_page");
    }
    void scheduleViewPage() {
        ScheduleEditorWorld w;
        ScheduleEntry entry = ScheduleEntry::New(w.settings.context());
        entry.Weekdays = 0x15;
        w.list.Append(entry);
        CScheduleViewDlg page(&w.list, w.services);
        Look(page, "schedule_view_page");
    }
    // The first page of the schedule sheet, beside the unit pages of the same size.
    void schedulePage() {
        for (ScheduleKind kind : {ScheduleKind::ByWeekday, ScheduleKind::ByDate}) {
            ScheduleEntry entry;
            entry.Kind = kind;
            CSchedulePage page(&entry, DateTime::FromParts(2005, 7, 1));
            Look(page, kind == ScheduleKind::ByDate ? "schedule_page_date" : "schedule_page_week");
        }
    }
    void testModePage() {
        LookWorld w;
        CTestModeDlg page(&w.record, w.services, w.world.programDir());
        Look(page, "test_mode_page");
    }
    void detailsPage() {
        LookWorld w;
        CWholePage page(&w.record, w.prompts, w.services.chooseFolder);
        Look(page, "details_page");
    }
    void destinationBrowserPage() {
        LookWorld w;
        w.world.Write(w.world.root('F'), {{"backup", {{"C", {}}}}, {"mirror", {}}});
        CSaveListDlg page(&w.record, w.services);
        page.show();
        auto* tree = page.findChild<QTreeWidget*>();
        tree->setCurrentItem(tree->findItems(QString::fromStdString(w.record.SynchroDirectory),
                                             Qt::MatchExactly | Qt::MatchRecursive)
                                 .first());
        Look(page, "destination_browser_page");
    }
    void activityLogPage() {
        LookWorld w;
        FakeClock clock;
        LogStore writer(w.world.programDir());
        QVERIFY(writer.AppendRecognition(clock.NowDateTime().Format("%Y/%m/%d"), "USB HDD",
                                         "10:00:00"));
        writer.Close();
        CLogListDlg page(w.world.programDir(), clock);
        Look(page, "activity_log_page");
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::PageLookTest)
#include "page_look_test.moc"
