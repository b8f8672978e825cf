// The test mode page on real folders: the update preview against what a real run then copies,
// a second preview replacing a running one, the counters and transfer times, and the refusals
// without a chosen removable drive.
#include "ui/test_mode/test_mode_dialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <set>
#include <utility>

#include "controller/runners/run_job.h"
#include "controller/test_mode/speed_figures.h"
#include "controller/test_mode/speed_test_run.h"
#include "engine/job/job_run.h"
#include "engine/job/run_context.h"
#include "engine/scan/timed_copy.h"
#include "log/log_record.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/fake_clock.h"
#include "tests/ui/settings_dialog/pages/page_world.h"
#include "ui/settings_dialog/dialog_images.h"

namespace tv::test {
namespace {

constexpr int64_t kHourEarlier = kDefaultMtime - 3600;
constexpr int64_t kHourLater = kDefaultMtime + 3600;

// A file/directory unit with one folder of the file list, no extension lists or filters, the
// plain layout and sizes compared.
struct TestModeWorld : PageWorld {
    TestModeWorld() {
        world.AddDrive('C', kDriveFixed, 0x1111u);
        world.AddDrive('D', kDriveFixed, 0x2222u);
        record.Directry2 = JoinPath(world.root('D'), "mirror");
        record.ExtList.clear();
        record.IncExtList.clear();
        record.ExceptList.clear();
        record.CheckSizeFolder = 0;
    }
    std::string Folder(const std::string& name) const { return JoinPath(world.root('C'), name); }
    std::string CopyOf(const std::string& name) const { return JoinPath(record.Directry2, name); }
    SettingsRecord record;
};

// A drive unit with its destination on D: and the program folder on C:, copying in 32 KB blocks
// with a 1 ms pause, so that a test of one megabyte takes measurable time.
struct SpeedTestWorld : TestModeWorld {
    SpeedTestWorld() {
        record.SynchroDirectory = world.MakeFolder("backup");
        record.SyncChacheSize = 0;
        record.SyncLoadControl = 1;
        if (!EnsureFolder(programDir)) qFatal("cannot make the program folder");
    }
    void ExpectBothMessages() {
        for (const char* text : {kTestFileStartMessage, kTimingStartMessage}) {
            prompts.Expect(text, "情報", kMbOk | kMbIconInformation, kIdOk);
        }
    }
    std::string TestFile() const { return JoinPath(programDir, kTestFileName); }
    std::string Copy() const { return JoinPath(record.SynchroDirectory, kTestFileName); }
    std::string programDir = JoinPath(world.root('C'), "program");
};

QLineEdit* Edit(const QWidget& page, const char* name) { return page.findChild<QLineEdit*>(name); }

void ChoosePreviewUnit(const QWidget& page, SettingsUnit unit) {
    page.findChild<QRadioButton*>(QString("previewUnit%1").arg(static_cast<int>(unit)))
        ->setChecked(true);
}

// Acts once, as the first queued call reaches the watched object, before it is handled there.
class BeforeFirstQueuedCall : public QObject {
  public:
    BeforeFirstQueuedCall(QObject& watched, std::function<void()> act) : act_(std::move(act)) {
        watched.installEventFilter(this);
    }
    bool Acted() const { return !act_; }
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::MetaCall && act_) std::exchange(act_, nullptr)();
        return false;
    }

  private:
    std::function<void()> act_;
};

bool PreviewEnded(const CTestModeDlg& page) {
    return QTest::qWaitFor([&page] { return !page.PreviewRunning(); }, 60000);
}

std::set<std::string> ListedPaths(const QWidget& page) {
    const auto* list = page.findChild<QTreeWidget*>("updatedFiles");
    std::set<std::string> paths;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        paths.insert(list->topLevelItem(row)->text(0).toStdString());
    }
    return paths;
}

// Every file of tree by its path below folder.
void Flatten(const Tree& tree, const std::string& folder, std::map<std::string, TreeFile>* out) {
    for (const auto& [name, node] : tree) {
        const std::string path = JoinPath(folder, name);
        if (node.isFile) {
            (*out)[path] = node.file;
        } else {
            Flatten(node.children, path, out);
        }
    }
}

// A source of folders × files with their copies: one in four has no copy, one an unchanged
// copy (same size, newer, other bytes, so that a copy over it shows), and the others a copy of
// another size, older or of the same time.
void WriteSourceAndCopies(TestModeWorld& w, const std::string& name, int folders, int files) {
    Tree source;
    Tree copies;
    for (int f = 0; f < folders; ++f) {
        Tree& in = source["dir" + std::to_string(f)].children;
        Tree& out = copies["dir" + std::to_string(f)].children;
        for (int i = 0; i < files; ++i) {
            const std::string file = "file" + std::to_string(i) + ".dat";
            const std::string bytes(static_cast<size_t>(10 + (i % 7)), 's');
            in[file] = TreeFile{bytes};
            switch ((f * files + i) % 4) {
                case 1:
                    out[file] = TreeFile{std::string(bytes.size(), 'c'), kHourLater};
                    break;
                case 2:
                    out[file] = TreeFile{bytes + "old", kHourEarlier};
                    break;
                case 3:
                    out[file] = TreeFile{"x"};
                    break;
                default:
                    break;
            }
        }
    }
    w.world.Write(w.Folder(name), source);
    w.world.Write(w.CopyOf(name), copies);
}

// The source paths of the files that a real run of the unit copies into the copy of name.
std::set<std::string> CopiedByRun(TestModeWorld& w, const std::string& name) {
    std::map<std::string, TreeFile> before;
    std::map<std::string, TreeFile> after;
    Flatten(w.world.Read(w.CopyOf(name)), w.Folder(name), &before);
    LogRecord log;
    CopyJob job = MakeCopyJob(w.record, RunKind::FileDir, w.Folder(name), w.CopyOf(name), &log);
    FakeClock clock;
    RunContext context(clock, w.world.drives());
    context.SetState(WorkerState::Running);
    RunJob(job, context);
    Flatten(w.world.Read(w.CopyOf(name)), w.Folder(name), &after);
    std::set<std::string> copied;
    for (const auto& [path, file] : after) {
        const auto old = before.find(path);
        if (old == before.end() || !(old->second == file)) copied.insert(path);
    }
    return copied;
}

}  // namespace

class TestModeDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void previewListsWhatARunCopies() {
        TestModeWorld w;
        WriteSourceAndCopies(w, "data", 40, 80);
        w.record.FileList = {w.Folder("data")};
        CTestModeDlg page(&w.record, w.services, w.world.programDir());
        ChoosePreviewUnit(page, SettingsUnit::FileDir);
        page.StartPreview();
        QVERIFY(PreviewEnded(page));
        const std::set<std::string> listed = ListedPaths(page);
        QCOMPARE(Edit(page, "fileCount")->text(), QString::number(listed.size()));

        const std::set<std::string> copied = CopiedByRun(w, "data");
        QCOMPARE(copied.size(), size_t{40 * 80 * 3 / 4});
        QCOMPARE(listed.size(), copied.size());
        QVERIFY(listed == copied);
    }

    // Reports of the first preview that were still on their way must not reach the second list.
    void secondPreviewStopsTheFirst() {
        TestModeWorld w;
        WriteSourceAndCopies(w, "big", 30, 100);
        w.world.Write(w.Folder("small"), {{"one.txt", TreeFile{"1"}}, {"two.txt", TreeFile{"2"}}});
        CTestModeDlg page(&w.record, w.services, w.world.programDir());
        ChoosePreviewUnit(page, SettingsUnit::FileDir);
        w.record.FileList = {w.Folder("big")};
        // The first report of the first preview, and every one queued behind it, arrives
        // after the second preview has started. All of them were queued before the second
        // preview's end, so they have all arrived once it has ended.
        const BeforeFirstQueuedCall second(page, [&] {
            w.record.FileList = {w.Folder("small")};
            page.StartPreview();
        });
        page.StartPreview();
        QVERIFY(PreviewEnded(page));
        QVERIFY(second.Acted());
        const std::set<std::string> expected = {JoinPath(w.Folder("small"), "one.txt"),
                                                JoinPath(w.Folder("small"), "two.txt")};
        QVERIFY(ListedPaths(page) == expected);
        QCOMPARE(Edit(page, "fileCount")->text(), QString("2"));
    }

    // 30 MB, counted in 2^20 bytes, at 60MB a minute: under half an hour of a minute at full
    // power, and never less than a minute with transfer control.
    void countersAndTransferTimes() {
        TestModeWorld w;
        const std::string mebibyte(1 << 20, 'm');
        Tree source;
        for (int i = 0; i < 30; ++i) source["f" + std::to_string(i)] = TreeFile{mebibyte};
        source["small"] = TreeFile{"below a megabyte"};
        w.world.Write(w.Folder("photos"), source);
        w.record.FileList = {w.Folder("photos")};
        CTestModeDlg page(&w.record, w.services, w.world.programDir());
        ChoosePreviewUnit(page, SettingsUnit::FileDir);
        Edit(page, "measuredPerMinute")->setText("60MB");
        Edit(page, "fullPowerPerMinute")->setText("60MB");
        page.StartPreview();
        QVERIFY(PreviewEnded(page));
        QCOMPARE(Edit(page, "fileCount")->text(), QString("31"));
        QCOMPARE(Edit(page, "totalSize")->text(), QString("30"));
        QCOMPARE(Edit(page, "fastestTime")->text(), QString("0時間0分"));
        QCOMPARE(Edit(page, "slowestTime")->text(), QString("0時間1分"));

        Edit(page, "fullPowerPerMinute")->setText(QString::fromUtf8(kSpeedMeasuring));
        Edit(page, "measuredPerMinute")->setText("0MB");
        page.StartPreview();
        QVERIFY(PreviewEnded(page));
        QCOMPARE(Edit(page, "fastestTime")->text(), QString("転送時間不明"));
        QCOMPARE(Edit(page, "slowestTime")->text(), QString("転送時間不明"));
    }

    // Both tools refuse the removable unit without a chosen drive, and the speed edits are
    // left as they were.
    void removableUnitNeedsADrive() {
        TestModeWorld w;
        w.world.AddDrive('E', kDriveRemovable, 0x3333u);
        CTestModeDlg page(&w.record, w.services, w.world.programDir());
        page.OnMediaChanged();
        QCOMPARE(page.findChild<QListWidget*>("previewDrives")->count(), 1);
        ChoosePreviewUnit(page, SettingsUnit::Removable);
        page.findChild<QRadioButton*>("speedUnit2")->setChecked(true);
        w.prompts.Expect("ドライブを選択して下さい", "Tessaravine", kMbOk | kMbIconExclamation,
                         kIdOk);
        w.prompts.Expect("ドライブを選択して下さい", "Tessaravine", kMbOk | kMbIconExclamation,
                         kIdOk);
        page.StartPreview();
        page.StartSpeedTest();
        QVERIFY(!page.PreviewRunning());
        QCOMPARE(Edit(page, "measuredPerMinute")->text(), QString());
    }

    // The test file's folder lies on no drive; when the user gives up, nothing was timed.
    void speedTestGivenUp() {
        TestModeWorld w;
        CTestModeDlg page(&w.record, w.services, w.world.programDir());
        w.prompts.Expect(kTestFileStartMessage, "情報", kMbOk | kMbIconInformation, kIdOk);
        w.prompts.Expect(kNoMediumQuestion, "確認", kMbYesNo | kMbIconQuestion, kIdYes);
        page.StartSpeedTest();
        for (const char* name :
             {"measuredPerMinute", "measuredPerHour", "fullPowerPerMinute", "fullPowerPerHour"}) {
            QCOMPARE(Edit(page, name)->text(), QString("測定不能"));
        }
        QCOMPARE(Edit(page, "fastestTime")->text(), QString("転送時間不明"));
        QCOMPARE(Edit(page, "slowestTime")->text(), QString("転送時間不明"));
    }

    // The copies are timed on a worker thread: the page answers while they run, its start
    // button waits, and at the end the speeds stand and the test's files are gone.
    void speedTestRunsBesideThePage() {
        SpeedTestWorld w;
        CTestModeDlg page(&w.record, w.services, w.programDir);
        w.ExpectBothMessages();
        auto* start = page.findChild<QPushButton*>("startSpeedTest");
        page.StartSpeedTest();
        QVERIFY(page.SpeedTestRunning());
        QVERIFY(!start->isEnabled());
        QCOMPARE(Edit(page, "measuredPerMinute")->text(), QString::fromUtf8(kSpeedMeasuring));
        QVERIFY(QTest::qWaitFor([&page] { return !page.SpeedTestRunning(); }, 60000));
        QVERIFY(start->isEnabled());
        const QRegularExpression megabytes("^[0-9]+MB$");
        QVERIFY(megabytes.match(Edit(page, "measuredPerMinute")->text()).hasMatch());
        QVERIFY(megabytes.match(Edit(page, "measuredPerHour")->text()).hasMatch());
        QVERIFY(!PathExists(w.TestFile()));
        QVERIFY(!PathExists(w.Copy()));
    }

    // Closing the page mid-copy stops the worker and removes the test file and its copy.
    void closingThePageEndsTheSpeedTest() {
        SpeedTestWorld w;
        w.record.SyncLoadControl = 20;
        w.ExpectBothMessages();
        {
            CTestModeDlg page(&w.record, w.services, w.programDir);
            Edit(page, "TestRuns")->setText("5");
            page.StartSpeedTest();
            QVERIFY(QTest::qWaitFor([&w] { return PathExists(w.Copy()); }, 60000));
        }
        QVERIFY(!PathExists(w.TestFile()));
        QVERIFY(!PathExists(w.Copy()));
    }

    // A run count of 0 cannot be typed; an emptied edit counts as one run.
    void runCountIsNeverZero() {
        TestModeWorld w;
        CTestModeDlg page(&w.record, w.services, w.world.programDir());
        QLineEdit* runs = Edit(page, "TestRuns");
        runs->clear();
        QTest::keyClicks(runs, "0");
        QCOMPARE(runs->text(), QString());
        QTest::keyClicks(runs, "30");
        QCOMPARE(runs->text(), QString("30"));
    }

    // The note's box is as tall as its lines, in the smallest dialog too.
    void theNoteShowsEveryLine() {
        TestModeWorld w;
        CTestModeDlg page(&w.record, w.services, w.world.programDir());
        page.setGeometry(kPageRect);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto* note = page.findChild<QPlainTextEdit*>("note");
        const int lines = note->toPlainText().count('\n') + 1;
        QCOMPARE(lines, 3);
        const int margins = 2 * static_cast<int>(note->document()->documentMargin());
        QVERIFY(note->viewport()->height() >= lines * note->fontMetrics().lineSpacing() + margins);
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::TestModeDialogTest)
#include "test_mode_dialog_test.moc"
