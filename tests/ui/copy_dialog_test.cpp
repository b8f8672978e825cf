#include <QApplication>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

#include "controller/ports/copy_runner.h"
#include "engine/job/file_result.h"
#include "engine/job/progress_sink.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "tests/support/engine/idle_stub.h"
#include "tests/support/fake_clock.h"
#include "tests/support/test_world.h"
#include "tests/support/wait_until.h"
#include "ui/progress/path_label.h"
#include "ui/progress/progress_window.h"
#include "ui/progress/qt_copy_runner.h"

namespace tv::test {
namespace {

QString LineText(const CNewCopyDlg& dialog, int id) {
    return dialog.findChild<CPathLabel*>(QString::number(id))->text();
}

QPushButton* Button(const CNewCopyDlg& dialog, int id) {
    return dialog.findChild<QPushButton*>(QString::number(id));
}

// Calls back with every progress window as it is shown.
class DialogWatcher : public QObject {
  public:
    explicit DialogWatcher(std::function<void(CNewCopyDlg&)> shown) : shown_(std::move(shown)) {
        qApp->installEventFilter(this);
    }
    ~DialogWatcher() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && object->objectName() == "copyDialog") {
            if (auto* dialog = qobject_cast<CNewCopyDlg*>(object)) shown_(*dialog);
        }
        return false;
    }

  private:
    std::function<void(CNewCopyDlg&)> shown_;
};

// Answers every message box with OK and notes the thread it was asked on.
class RecordingPrompts : public Prompts {
  public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        asked.push_back(QString::fromStdString(text + "|" + caption + "|" + std::to_string(flags)));
        onWindowThread = QThread::currentThread() == qApp->thread();
        return kIdOk;
    }
    QStringList asked;
    bool onWindowThread = false;
};

const Tree kThreeFiles = {
    {"a.txt", TreeFile{"a"}}, {"b.txt", TreeFile{"b"}}, {"c.txt", TreeFile{"c"}}};

// Files n00.txt, n01.txt, ... beside the three.
constexpr size_t kManyFiles = 30;
Tree NumberedFiles(size_t count) {
    Tree files;
    for (size_t i = 0; i < count; ++i) {
        const std::string name = std::to_string(i);
        files[(i < 10 ? "n0" : "n") + name + ".txt"] = TreeFile{name};
    }
    return files;
}
// The listing asks the idle function once for every entry, the copy pass for every entry and
// every buffer: this call comes a few files into the copy pass.
constexpr int kBusyFromCall = kManyFiles + 3 + 10;

}  // namespace

class CopyDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void titleCountsFilesDoneOutOfListed() {
        CNewCopyDlg dialog("ドライブ単位", true, &CopyWindowResult);
        QCOMPARE(dialog.windowTitle(), QString("ドライブ単位"));
        QCOMPARE(LineText(dialog, kIdFirstLine),
                 QString("事前準備中です...(ファイル数カウント中)"));
        dialog.OnCountDone(3);
        QCOMPARE(dialog.windowTitle(), QString("ドライブ単位 (0/3)"));
        dialog.OnStep();
        dialog.OnStep();
        QCOMPARE(dialog.windowTitle(), QString("ドライブ単位 (2/3)"));
        auto* bar = dialog.findChild<QProgressBar*>(QString::number(kIdProgressBar));
        QCOMPARE(bar->maximum(), 3);
        QCOMPARE(bar->value(), 2);
        dialog.OnSetLines(std::nullopt, std::string("/D/x.txt"));
        QCOMPARE(LineText(dialog, kIdFirstLine),
                 QString("事前準備中です...(ファイル数カウント中)"));
        QCOMPARE(LineText(dialog, kIdSecondLine), QString("/D/x.txt"));
        dialog.OnPhase(Phase::Deleting);
        QCOMPARE(LineText(dialog, kIdSecondLine), QString("不要ファイルを削除中..."));

        CNewCopyDlg untitled("", true, &CopyWindowResult);
        QCOMPARE(untitled.windowTitle(), QString("コピー進捗情報ダイアログ"));
        untitled.OnCountDone(12);
        untitled.OnStep();
        QCOMPARE(untitled.windowTitle(), QString("コピー進捗情報ダイアログ (1/12)"));
    }

    void stopButtonsGiveTheirIdOnlyWhenThePassWasCancelled_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("runResult");
        QTest::addColumn<int>("windowResult");
        const int cancelled = static_cast<int>(FileResult::Cancelled);
        QTest::newRow("stop and next, pass cancelled") << kIdStopAndNext << cancelled << 1084;
        QTest::newRow("stop all, pass cancelled") << kIdStopAll << cancelled << 1085;
        QTest::newRow("stop all during the listing") << kIdStopAll << 0 << 0;
    }

    void stopButtonsGiveTheirIdOnlyWhenThePassWasCancelled() {
        QFETCH(int, button);
        QFETCH(int, runResult);
        QFETCH(int, windowResult);
        CNewCopyDlg dialog("T", true, &CopyWindowResult);
        int stops = 0;
        dialog.SetStopHandler([&stops] { ++stops; });
        QTimer::singleShot(0, &dialog, [&] {
            QTest::mouseClick(Button(dialog, button), Qt::LeftButton);
            dialog.close();  // only the run's end closes the window
            QVERIFY(dialog.isVisible());
            dialog.OnRunEnded(runResult);
        });
        QCOMPARE(dialog.RunModal(), windowResult);
        QCOMPARE(stops, 1);
    }

    void hiddenWindowIsNeverShownYetClosesAtTheEnd() {
        CNewCopyDlg dialog("T", false, &CopyWindowResult);
        int shows = 0;
        DialogWatcher watcher([&shows](CNewCopyDlg&) { ++shows; });
        QTimer::singleShot(0, &dialog, [&] {
            dialog.OnCountDone(2);
            dialog.OnSetLines(std::string("/E/a"), std::string("/D/a"));
            dialog.OnStep();
            dialog.OnPhase(Phase::Deleting);
            dialog.OnRunEnded(0);
        });
        QCOMPARE(dialog.RunModal(), 0);
        QCOMPARE(shows, 0);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.windowTitle(), QString("T"));
        QCOMPARE(LineText(dialog, kIdFirstLine), QString());
        QCOMPARE(LineText(dialog, kIdSecondLine), QString());
    }

    void runsARealTreeAtTheBottomRight() {
        World run;
        QRect frame;
        QStringList titles;
        DialogWatcher watcher([&](CNewCopyDlg& dialog) {
            connect(&dialog, &QWidget::windowTitleChanged, &dialog, [&](const QString& title) {
                titles << title;
                frame = dialog.frameGeometry();
            });
        });

        QCOMPARE(run.runner.RunCopyJob(run.job, "ドライブ単位").windowResult, 0);

        QCOMPARE(run.world.Read(run.destination), kThreeFiles);
        QCOMPARE(titles.last(), QString("ドライブ単位 (3/3)"));
        const QRect area = qApp->primaryScreen()->availableGeometry();
        QCOMPARE(frame.right(), area.right() - 10);
        QCOMPARE(frame.bottom(), area.bottom() - 10);
    }

    // The window's thread is held on its first update until the whole tree is on the
    // destination: a worker that waited for the window would never get there.
    void theWorkerCopiesOnWhileTheWindowIsBusy() {
        World run;
        run.world.Write(run.world.root('E'), NumberedFiles(kManyFiles));
        const Tree source = run.world.Read(run.world.root('E'));
        QStringList titles;
        bool copiedWhileHeld = false;
        DialogWatcher watcher([&](CNewCopyDlg& dialog) {
            connect(&dialog, &QWidget::windowTitleChanged, &dialog, [&](const QString& title) {
                if (titles.isEmpty()) {
                    copiedWhileHeld = WaitUntil(
                        std::chrono::seconds(60),
                        [&] { return run.world.Read(run.destination) == source; },
                        std::chrono::milliseconds(1));
                }
                titles << title;
            });
        });

        QCOMPARE(run.runner.RunCopyJob(run.job, "T").windowResult, 0);
        QVERIFY(copiedWhileHeld);

        QCOMPARE(titles.last(), QString("T (33/33)"));
    }

    void aButtonPressedDuringAFastCopyEndsTheRun_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("runsStopped");
        QTest::newRow("stop and next") << kIdStopAndNext << false;
        QTest::newRow("stop all") << kIdStopAll << false;
        // The frame stopping its runs presses stop-all itself, and no run starts after it until
        // runs are allowed again.
        QTest::newRow("runs stopped") << kIdStopAll << true;
    }

    // The worker never waits for the window, so the stand-in idle library holds it instead:
    // the user turns busy a few files into the copy pass, and the button is pressed once the
    // window says that the run waits.
    void aButtonPressedDuringAFastCopyEndsTheRun() {
        QFETCH(int, button);
        QFETCH(bool, runsStopped);
        World run;
        run.world.Write(run.world.root('E'), NumberedFiles(kManyFiles));
        IdleStub idle(run.world.programDir());
        idle.BusyFromCall(kBusyFromCall);
        run.job.IdleCheck = 1;
        QTimer watch;
        DialogWatcher watcher([&](CNewCopyDlg& dialog) {
            connect(&watch, &QTimer::timeout, &dialog, [&, button, runsStopped] {
                if (LineText(dialog, kIdSecondLine) != QString(kLineWaitingForIdle)) return;
                watch.stop();
                if (runsStopped) {
                    run.runner.StopRuns();
                } else {
                    QTest::mouseClick(Button(dialog, button), Qt::LeftButton);
                }
            });
            watch.start(1);
        });

        QCOMPARE(run.runner.RunCopyJob(run.job, "T").windowResult, button);

        const size_t copied = run.world.Read(run.destination).size();
        QVERIFY2(copied > 0 && copied < kManyFiles + kThreeFiles.size(),
                 QByteArray::number(qulonglong(copied)));
        if (!runsStopped) return;
        QCOMPARE(run.runner.RunCopyJob(run.job, "T").windowResult, kIdStopAll);
        QCOMPARE(run.world.Read(run.destination).size(), copied);
        run.runner.AllowRuns();
        run.job.IdleCheck = 0;
        QCOMPARE(run.runner.RunCopyJob(run.job, "T").windowResult, 0);
        QCOMPARE(run.world.Read(run.destination).size(), kManyFiles + kThreeFiles.size());
    }

    void relocationWithoutNavigationHidesTheBar() {
        World run;
        RelocationRequest request;
        request.OldFolder = run.world.root('E');
        request.NewFolder = JoinPath(run.world.base(), "moved");
        request.Navigation = 0;
        File holder;  // another holder's lock: one file cannot be opened
        QVERIFY(holder.OpenForRead(JoinPath(request.OldFolder, "b.txt"), true, false));
        bool barHidden = false;
        DialogWatcher watcher([&barHidden](CNewCopyDlg& dialog) {
            barHidden =
                dialog.findChild<QProgressBar*>(QString::number(kIdProgressBar))->isHidden();
        });

        QCOMPARE(run.runner.RunRelocation(request, "リムバブルメディア保存先のコピー"), 0);

        QVERIFY(barHidden);
        QCOMPARE(run.prompts.asked, QStringList{"オープンエラー||0"});
        QVERIFY(run.prompts.onWindowThread);
        QCOMPARE(run.world.Read(request.NewFolder).size(), size_t{2});
    }

  private:
    // Three files on E: for a run to D:, a fake clock, and the Qt runner.
    struct World {
        World() {
            world.AddDrive('E', kDriveRemovable, 0xC3F2u);
            world.AddDrive('D', kDriveFixed, 0x1234u);
            destination = JoinPath(world.root('D'), "bk");
            world.Write(world.root('E'), kThreeFiles);
            job.Kind = Removable;
            job.Source = world.root('E');
            job.Destination = destination;
            job.LoadControl = 0;
        }
        TestWorld world;
        FakeClock clock;
        RecordingPrompts prompts;
        QtCopyRunner runner{clock, world.drives(), world.locations(), prompts, nullptr};
        CopyJob job;
        std::string destination;
    };
};

}  // namespace tv::test

QTEST_MAIN(tv::test::CopyDialogTest)
#include "copy_dialog_test.moc"
