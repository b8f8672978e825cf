// The activity log page as the user meets it: the day list, the table filled on the timer, the
// counters, and a run appending to the day shown.
#include "ui/log_viewer/log_list_dialog.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

#include "log/log_store.h"
#include "platform/paths.h"
#include "tests/support/fake_clock.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_step_record.h"
#include "tests/support/test_world.h"
#include "ui/widgets/category_list_box.h"

namespace tv::test {
namespace {

constexpr const char* kToday = "2005/07/01";
constexpr const char* kYesterday = "2005/06/30";

LogRecord Copied(const std::string& date, const std::string& time, const std::string& work,
                 const std::string& result) {
    return FileStepRecord(date, time, "ファイル作成", work, result);
}

struct PageWorld {
    explicit PageWorld(LogLoadBudget budget = kTenRecordsPerStep) {
        clock.SetLocal(2005, 7, 1, 12, 0, 0);
        page = std::make_unique<CLogListDlg>(world.programDir(), clock, nullptr, budget);
        page->resize(456, 388);
    }
    void Append(const LogRecord& record) {
        LogStore writer(world.programDir());
        QVERIFY(writer.Append(record));
    }
    void ShowAndLoad() {
        page->show();
        WaitUntilLoaded();
    }
    void WaitUntilLoaded() { QTRY_VERIFY(!page->Loader().Loading()); }
    // Reading a day starts at once, so a page that is not loading once the events it has
    // posted are handled reads nothing.
    void ExpectNothingRead() {
        QCoreApplication::processEvents();
        QVERIFY(!page->Loader().Loading());
    }
    CCategoryListBox* Days() const {
        return page->findChild<CCategoryListBox*>(QString::number(kIdLogDayList));
    }
    QTreeView* Table() const { return page->findChild<QTreeView*>(QString::number(kIdLogTable)); }
    QStringList DayItems() const {
        QStringList items;
        for (int row = 0; row < Days()->count(); ++row) items << Days()->item(row)->text();
        return items;
    }
    // Column k of every row, top to bottom.
    QStringList Column(int column) const {
        QStringList texts;
        const QAbstractItemModel* model = Table()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            texts << model->index(row, column).data().toString();
        }
        return texts;
    }
    QStringList Counters() const {
        QStringList texts;
        for (int id : {kIdBackupCounter, kIdMirroringCounter, kIdSkipCounter, kIdErrorCounter}) {
            texts << page->findChild<QLineEdit*>(QString::number(id))->text();
        }
        return texts;
    }
    void Choose(const QString& day) {
        Days()->setCurrentRow(static_cast<int>(DayItems().indexOf(day)));
    }

    TestWorld world;
    FakeClock clock;
    std::unique_ptr<CLogListDlg> page;
};

}  // namespace

class LogListDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void firstShowingListsTheDaysAndLoadsToday() {
        PageWorld w;
        w.Append(Copied(kYesterday, "23:00:00", "ミラーリング", "ＯＫ"));
        w.Append(Copied(kToday, "09:00:00", "バックアップ", "エラー"));
        w.Append(Copied(kToday, "10:00:00", "バックアップ", "ＯＫ"));
        w.Append(Copied(kToday, "10:30:00", "バックアップ", "スキップ"));
        {
            LogStore writer(w.world.programDir());
            QVERIFY(writer.AppendRecognition(kToday, "Compact Flash", "11:00:00"));
        }
        QCOMPARE(w.page->windowTitle(), QString("活動ログ表示"));
        QCOMPARE(w.Table()->model()->columnCount(), 12);
        QCOMPARE(w.Table()->model()->headerData(7, Qt::Horizontal).toString(),
                 QString("フォルダ・ファイル名"));
        QCOMPARE(w.DayItems(), QStringList());  // nothing before the first showing

        w.ShowAndLoad();
        QCOMPARE(w.DayItems(), (QStringList{"作成日", kYesterday, kToday}));
        QCOMPARE(w.Days()->currentRow(), 2);
        QCOMPARE(w.Column(10), (QStringList{"10:30:00", "10:00:00", "09:00:00", "11:00:00"}));
        QCOMPARE(w.Column(11), (QStringList{"スキップ", "ＯＫ", "エラー", " "}));
        QCOMPARE(w.Counters(), (QStringList{"3", "0", "1", "1"}));
        QVERIFY(w.Table()->hasFocus() || !w.page->isActiveWindow());

        // Showing the page again reads nothing again.
        w.Append(Copied(kToday, "12:00:00", "バックアップ", "ＯＫ"));
        w.page->hide();
        w.page->show();
        w.ExpectNothingRead();
        QCOMPARE(w.Column(10).size(), 4);
    }

    // The heading and the day shown do nothing; another day replaces the table and counters,
    // also while a long day is still being read.
    void choosingADay() {
        PageWorld w(LogLoadBudget{1, {}});
        for (int minute = 0; minute < 60; ++minute) {
            const QString time = QString("10:%1:00").arg(minute, 2, 10, QChar('0'));
            w.Append(Copied(kToday, time.toStdString(), "ミラーリング", "ＯＫ"));
        }
        w.Append(Copied(kYesterday, "08:00:00", "バックアップ", "エラー"));
        w.page->show();
        QTRY_VERIFY(w.Table()->model()->rowCount() > 0);
        QVERIFY(w.page->Loader().Loading());
        w.Choose(kYesterday);
        w.WaitUntilLoaded();
        QCOMPARE(w.Column(0), QStringList{kYesterday});
        QCOMPARE(w.Counters(), (QStringList{"1", "0", "0", "1"}));

        w.Choose("作成日");
        w.ExpectNothingRead();
        QCOMPARE(w.Column(0), QStringList{kYesterday});
        QCOMPARE(w.page->Loader().Day(), std::string(kYesterday));

        w.Choose(kToday);
        w.WaitUntilLoaded();
        QCOMPARE(w.Column(0).size(), 60);
        QCOMPARE(w.Column(10).first(), QString("10:59:00"));
        QCOMPARE(w.Counters(), (QStringList{"0", "60", "0", "0"}));
    }

    void aDayWithoutRecordsIsEmpty() {
        PageWorld w;
        w.Append(Copied(kYesterday, "08:00:00", "バックアップ", "スキップ"));
        w.ShowAndLoad();
        QCOMPARE(w.Table()->model()->rowCount(), 0);
        QCOMPARE(w.Counters(), (QStringList{"0", "0", "0", "0"}));
        QCOMPARE(w.Days()->currentRow(), -1);  // today has no item
        QCOMPARE(w.Table()->columnWidth(3), 100);

        // An empty day file is read to its end, which narrows the columns.
        PutFileBytes(JoinPath(JoinPath(w.world.programDir(), "Log"), "20050630.txt"), "");
        w.Choose(kYesterday);
        w.WaitUntilLoaded();
        QCOMPARE(w.Table()->model()->rowCount(), 0);
        QCOMPARE(w.Counters(), (QStringList{"0", "0", "0", "0"}));
        QCOMPARE(w.Table()->columnWidth(3), 50);
    }

    // A name in another encoding, from this version or an older one, shows readably in its own
    // column and leaves the others, the error counter among them, as written.
    void aNameInAnotherEncodingKeepsItsRowAndCount() {
        PageWorld w;
        LogRecord escaped = Copied(kToday, "09:00:00", "バックアップ", "エラー");
        escaped.name = "\x83\x65\x83\x58\x83\x67\x1b[2J.txt";
        w.Append(escaped);
        const std::string day = JoinPath(JoinPath(w.world.programDir(), "Log"), "20050701.txt");
        // An older version wrote the name's bytes as they were.
        const std::string olderLine =
            "2005/07/01\tFile/Directory\t \tE\t自動\tミラーリング\tファイル作成\t"
            "\x83\x65\x83\x58\x83\x67.txt\t/s\t/d\t08:00:00\tエラー\r\n";
        PutFileBytes(day, FileBytes(day) + olderLine);
        w.ShowAndLoad();
        QCOMPARE(w.Column(7), (QStringList{R"(\x83e\x83X\x83g\x1B[2J.txt)", "テスト.txt"}));
        QCOMPARE(w.Column(11), (QStringList{"エラー", "エラー"}));
        QCOMPARE(w.Counters(), (QStringList{"1", "1", "0", "2"}));
    }

    // A run appending to the day shown must not lose its record; the page shows it once the
    // day is chosen again. The page never changes the log.
    void aRunAppendingToTheDayShownKeepsItsRecord() {
        PageWorld w(LogLoadBudget{1, {}});
        w.Append(Copied(kYesterday, "08:00:00", "バックアップ", "ＯＫ"));
        w.Append(Copied(kToday, "09:00:00", "バックアップ", "ＯＫ"));
        w.Append(Copied(kToday, "09:00:01", "バックアップ", "ＯＫ"));
        w.page->show();
        QTRY_VERIFY(w.page->Loader().Loading());

        LogStore run(w.world.programDir());
        QVERIFY(run.Append(Copied(kToday, "09:30:00", "バックアップ", "ＯＫ")));
        w.WaitUntilLoaded();
        QVERIFY(run.Append(Copied(kToday, "09:45:00", "バックアップ", "ＯＫ")));
        run.Close();
        const std::string path = JoinPath(JoinPath(w.world.programDir(), "Log"), "20050701.txt");
        const std::string bytes = FileBytes(path);

        w.Choose(kYesterday);
        w.WaitUntilLoaded();
        w.Choose(kToday);
        w.WaitUntilLoaded();
        QCOMPARE(w.Column(10), (QStringList{"09:45:00", "09:30:00", "09:00:01", "09:00:00"}));
        QCOMPARE(FileBytes(path), bytes);
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::LogListDialogTest)
#include "log_list_dialog_test.moc"
