#include "ui/progress/copy_dialog_bridge.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "controller/ports/copy_runner.h"
#include "engine/job/progress_sink.h"
#include "ui/progress/path_label.h"
#include "ui/progress/progress_window.h"

namespace tv::test {
namespace {

QString LineText(const CNewCopyDlg& dialog, int id) {
    return dialog.findChild<CPathLabel*>(QString::number(id))->text();
}

std::optional<std::string> GivenLine(const QString& text) {
    if (text == "-") return std::nullopt;
    return text.toStdString();
}

// Tells the sink what the script says, as a worker would: "total N", "step", "lines A|B"
// ("-" leaves a line out) and "phase deleting".
void Play(ProgressSink& sink, const QStringList& script) {
    for (const QString& line : script) {
        const QString argument = line.section(' ', 1);
        if (line == "step") {
            sink.Step();
        } else if (line.startsWith("total ")) {
            sink.SetTotal(argument.toULongLong());
        } else if (line.startsWith("lines ")) {
            sink.SetLines(GivenLine(argument.section('|', 0, 0)),
                          GivenLine(argument.section('|', 1, 1)));
        } else if (line == "phase deleting") {
            sink.SetPhase(Phase::Deleting);
        } else {
            qFatal("unknown script line %s", qPrintable(line));
        }
    }
}

// Runs the script and the run's end on a thread of its own and waits for that thread before
// the window handles anything: a worker that waited for the window would never end. Then the
// window runs until the end closes it.
void PlayAsWorkerThenShow(CNewCopyDlg& dialog, const QStringList& script) {
    CopyDialogBridge bridge(dialog);
    std::thread worker([&] {
        Play(bridge, script);
        bridge.RunEnded(0);
    });
    worker.join();
    QCOMPARE(dialog.RunModal(), 0);
}

}  // namespace

class CopyDialogBridgeTest : public QObject {
    Q_OBJECT

  private slots:
    void aWorkerNeverWaitsForTheWindowAndItsLastValuesWin() {
        constexpr int kFiles = 4000;
        QStringList script = {"total 4000"};
        for (int i = 1; i <= kFiles; ++i) {
            script << QString("lines /E/f%1|/D/f%1").arg(i) << "step";
        }
        CNewCopyDlg dialog("T", true, &CopyWindowResult);
        QStringList titles;
        connect(&dialog, &QWidget::windowTitleChanged,
                [&titles](const QString& t) { titles << t; });

        PlayAsWorkerThenShow(dialog, script);

        // All the steps reached the window in one update.
        QCOMPARE(titles, QStringList({"T (0/4000)", "T (4000/4000)"}));
        QCOMPARE(LineText(dialog, kIdFirstLine), QString("/E/f4000"));
        QCOMPARE(LineText(dialog, kIdSecondLine), QString("/D/f4000"));
    }

    void updatesTakenTogetherKeepTheirOrder_data() {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const QString counting = "事前準備中です...(ファイル数カウント中)";
        const QString deleting = "不要ファイルを削除中...";
        QTest::newRow("steps before a new total are not counted in it")
            << QStringList{"total 9", "step", "step", "total 5", "step"} << "T (1/5)" << counting
            << "申し訳ありませんが、しばらくお待ちください...";
        QTest::newRow("a line left out keeps the text still waiting")
            << QStringList{"total 2", "lines /E/a|/D/a", "lines -|待機中です…", "step"} << "T (1/2)"
            << "/E/a"
            << "待機中です…";
        QTest::newRow("the deletion's line replaces an earlier second line")
            << QStringList{"total 1", "lines /E/a|/D/a", "step", "phase deleting"} << "T (1/1)"
            << "/E/a" << deleting;
        QTest::newRow("a line after the deletion began replaces the deletion's")
            << QStringList{"total 1", "step", "phase deleting", "lines -|待機中です…"} << "T (1/1)"
            << counting << "待機中です…";
    }

    void updatesTakenTogetherKeepTheirOrder() {
        QFETCH(QStringList, script);
        QFETCH(QString, title);
        QFETCH(QString, first);
        QFETCH(QString, second);
        CNewCopyDlg dialog("T", true, &CopyWindowResult);

        PlayAsWorkerThenShow(dialog, script);

        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(LineText(dialog, kIdFirstLine), first);
        QCOMPARE(LineText(dialog, kIdSecondLine), second);
    }

    void aBridgeThatGoesTakesWhatItQueuedWithIt() {
        CNewCopyDlg dialog("T", true, &CopyWindowResult);
        {
            CopyDialogBridge bridge(dialog);
            std::thread worker([&bridge] { Play(bridge, {"total 3", "step"}); });
            worker.join();
        }
        QCoreApplication::processEvents();
        QCOMPARE(dialog.windowTitle(), QString("T"));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::CopyDialogBridgeTest)
#include "copy_dialog_bridge_test.moc"
