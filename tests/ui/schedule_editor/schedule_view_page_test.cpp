// The schedule list page with the real schedule sheet: what the user clicks and types, what the
// list then shows and holds, and the registration check on the way.
#include "ui/schedule_editor/schedule_view_page.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTreeWidget>

#include "tests/ui/schedule_editor/schedule_editor_world.h"

namespace tv::test {
namespace {

QStringList RowTexts(const CScheduleViewDlg& page, int row) {
    QTreeWidgetItem* item = Find<QTreeWidget>(page, "schedules")->topLevelItem(row);
    QStringList texts;
    for (int column = 0; item != nullptr && column < item->columnCount(); ++column) {
        texts << item->text(column);
    }
    return texts;
}

QPushButton* Button(const CScheduleViewDlg& page, const char* name) {
    return Find<QPushButton>(page, name);
}

void SelectRow(const CScheduleViewDlg& page, int row) {
    Find<QTreeWidget>(page, "schedules")->topLevelItem(row)->setSelected(true);
}

// A weekday schedule of all drives that ran on 2005-07-04.
ScheduleEntry RanEntry(const SettingsContext& context) {
    ScheduleEntry entry = ScheduleEntry::New(context);
    entry.Name = "毎日";
    entry.Settings.Synchronize = 1;
    entry.MarkRun(DateTime::FromParts(2005, 7, 4, 12, 0));
    return entry;
}

}  // namespace

class ScheduleViewPageTest : public QObject {
    Q_OBJECT

  private slots:
    // A name longer than its heading widens its column instead of being cut.
    void aLongNameIsShownWhole() {
        ScheduleEditorWorld w;
        ScheduleEntry entry = RanEntry(w.settings.context());
        entry.Name = "月末の経理フォルダと共有ドライブの全体バックアップ";
        w.list.Append(entry);
        CScheduleViewDlg page(&w.list, w.services);
        auto* list = Find<QTreeWidget>(page, "schedules");
        const int nameWidth =
            list->fontMetrics().horizontalAdvance(QString::fromStdString(entry.Name));
        QVERIFY(list->columnWidth(0) > nameWidth);
    }

    void theListHasItsFiveColumns() {
        ScheduleEditorWorld w;
        CScheduleViewDlg page(&w.list, w.services);
        QCOMPARE(page.windowTitle(), QString("スケジュール表示"));
        auto* list = Find<QTreeWidget>(page, "schedules");
        const QStringList headers{"スケジュール名", "実行モード", "実行日付/曜日", "実行間隔",
                                  "開始時刻"};
        const int widths[] = {100, 70, 100, 70, 50};
        QCOMPARE(list->columnCount(), 5);
        for (int column = 0; column < 5; ++column) {
            QCOMPARE(list->headerItem()->text(column), headers[column]);
            QCOMPARE(list->columnWidth(column), widths[column]);
        }
        for (const char* name : {"new", "change", "delete"}) {
            QVERIFY(!Button(page, name)->autoDefault());  // Enter presses none of them
        }
    }

    void theSheetHasItsPagesWithNothingToStart() {
        ScheduleEditorWorld w;
        CScheduleViewDlg page(&w.list, w.services);
        WithSheet(Button(page, "new"), [](CScheduleSheet& sheet) {
            QCOMPARE(sheet.windowTitle(), QString("スケジュール登録ウィンドウ"));
            auto* tabs = sheet.findChild<QTabWidget*>();
            QStringList captions;
            for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
            QCOMPARE(captions, (QStringList{"スケジュールの設定", "ドライブ単位",
                                            "ファイル・ディレクトリ単位"}));
            Click(sheet, "Synchronize");
            for (QPushButton* start : sheet.findChildren<QPushButton*>("start")) {
                QVERIFY(!start->isEnabled());
            }
            QVERIFY(!Find<QTimeEdit>(sheet, "SyncInterval")->isEnabled());
            QVERIFY(!Find<QTimeEdit>(sheet, "MirrorInterval")->isEnabled());
            Cancel(sheet);
        });
        QCOMPARE(w.list.Count(), size_t{0});
    }

    // A page added after the unit pages works on the record of the entry being edited.
    void extraPagesFollowOnTheSchedulesRecord() {
        ScheduleEditorWorld w;
        SettingsRecord* given = nullptr;
        w.services.extraPages.push_back(
            {"詳細設定", [&given](SettingsRecord* record, QWidget* parent) {
                 given = record;
                 return new QWidget(parent);
             }});
        CScheduleViewDlg page(&w.list, w.services);
        WithSheet(Button(page, "new"), [&given](CScheduleSheet& sheet) {
            auto* tabs = sheet.findChild<QTabWidget*>();
            QCOMPARE(tabs->count(), 4);
            QCOMPARE(tabs->tabText(3), QString("詳細設定"));
            QCOMPARE(given, &sheet.working().Settings);
            given->Synchronize = 1;
            Ok(sheet);
        });
        QCOMPARE(w.list.Count(), size_t{1});
        QCOMPARE(w.list.At(0).Settings.Synchronize, 1);
    }

    // Neither an empty name nor a schedule without work is registered: the message comes over
    // the sheet, which stays open with everything typed until the user completes or cancels it.
    void anIncompleteScheduleIsRefusedWithTheSheetKeptOpen() {
        struct Case {
            const char* name;
            QString scheduleName;
            bool allDrives;
            std::function<void(CScheduleSheet&)> complete;
        };
        const Case cases[] = {
            {"empty name", "", true, [](CScheduleSheet& sheet) { Type(sheet, "Name", "夜間"); }},
            {"nothing to run", "夜間", false,
             [](CScheduleSheet& sheet) { Click(sheet, "Synchronize"); }},
        };
        for (const Case& c : cases) {
            ScheduleEditorWorld w;
            CScheduleViewDlg page(&w.list, w.services);
            w.ExpectRefusal();
            WithSheet(Button(page, "new"), [&c, &w](CScheduleSheet& sheet) {
                Type(sheet, "Name", c.scheduleName);
                Click(sheet, "byDate");
                if (c.allDrives) Click(sheet, "Synchronize");
                Ok(sheet);
                QVERIFY2(w.prompts.asked().size() == 1, c.name);
                QVERIFY2(sheet.isVisible() && sheet.result() != QDialog::Accepted, c.name);
                QCOMPARE(Find<QLineEdit>(sheet, "Name")->text(), c.scheduleName);
                QVERIFY2(Find<QAbstractButton>(sheet, "byDate")->isChecked(), c.name);
                QVERIFY2(Find<QAbstractButton>(sheet, "Synchronize")->isChecked() == c.allDrives,
                         c.name);
                c.complete(sheet);
                Ok(sheet);
            });
            QVERIFY2(w.list.Count() == 1, c.name);
            QCOMPARE(w.list.At(0).Name, std::string("夜間"));
            QCOMPARE(w.list.At(0).Kind, ScheduleKind::ByDate);
            QVERIFY2(w.prompts.asked().size() == 1, c.name);
        }
    }

    void aRefusedScheduleCanStillBeCancelled() {
        ScheduleEditorWorld w;
        CScheduleViewDlg page(&w.list, w.services);
        w.ExpectRefusal();
        WithSheet(Button(page, "new"), [](CScheduleSheet& sheet) {
            Type(sheet, "Name", "");
            Ok(sheet);
            Cancel(sheet);
        });
        QCOMPARE(w.list.Count(), size_t{0});
        QCOMPARE(Find<QTreeWidget>(page, "schedules")->topLevelItemCount(), 0);
    }

    void aDatePickedAfterWeeklyRunsOnce() {
        ScheduleEditorWorld w;
        CScheduleViewDlg page(&w.list, w.services);
        WithSheet(Button(page, "new"), [](CScheduleSheet& sheet) {
            Click(sheet, "pattern1");  // "毎週"
            Click(sheet, "byDate");
            auto* picker = Find<QDateEdit>(sheet, "RunDate");
            QVERIFY(picker->isVisible());
            QCOMPARE(picker->date(), QDate(2005, 7, 1));  // today, while nothing is picked
            picker->setDate(QDate(2005, 8, 15));
            Click(sheet, "Synchronize");
            Ok(sheet);
        });
        QCOMPARE(w.list.Count(), size_t{1});
        QCOMPARE(w.list.At(0).Pattern, RepeatPattern::Once);
        QCOMPARE(w.list.At(0).RunDate, DateTime::FromParts(2005, 8, 15));
        QCOMPARE(RowTexts(page, 0), (QStringList{"スケジュール", "日付指定", "2005年08月15日",
                                                 "１回のみ", "12時00分"}));
    }

    // The pane shows today when nothing was picked, and that is the date the schedule runs on;
    // an entry changed without touching its date keeps it. (A weekday schedule keeps no date:
    // the stored bytes of one are checked with the settings dialog.)
    void aDateNeverPickedIsTheDateShownAndFires() {
        ScheduleEditorWorld w;
        CScheduleViewDlg page(&w.list, w.services);
        QDate shown;
        WithSheet(Button(page, "new"), [&shown](CScheduleSheet& sheet) {
            Click(sheet, "byDate");
            shown = Find<QDateEdit>(sheet, "RunDate")->date();
            Click(sheet, "Synchronize");
            Ok(sheet);
        });
        QCOMPARE(shown, QDate(2005, 7, 1));
        QCOMPARE(RowTexts(page, 0).at(2), QString("2005年07月01日"));
        ScheduleEntry& entry = w.list.At(0);
        QVERIFY(!entry.IsDue(DateTime::FromParts(2005, 6, 30, 12, 0)));
        QVERIFY(entry.IsDue(DateTime::FromParts(2005, 7, 1, 12, 0)));

        w.list.At(0).RunDate = DateTime::FromParts(2005, 9, 3);
        SelectRow(page, 0);
        WithSheet(Button(page, "change"), [](CScheduleSheet& sheet) {
            QCOMPARE(Find<QDateEdit>(sheet, "RunDate")->date(), QDate(2005, 9, 3));
            Ok(sheet);
        });
        QCOMPARE(w.list.At(0).RunDate, DateTime::FromParts(2005, 9, 3));

        // One stored without a date gets the date its pane shows when it is changed.
        w.list.At(0).RunDate = DateTime();
        SelectRow(page, 0);
        WithSheet(Button(page, "change"), [](CScheduleSheet& sheet) { Ok(sheet); });
        QCOMPARE(w.list.At(0).RunDate, DateTime::FromParts(2005, 7, 1));
    }

    void mondayWednesdayAndFridayShowInOrder() {
        ScheduleEditorWorld w;
        CScheduleViewDlg page(&w.list, w.services);
        WithSheet(Button(page, "new"), [](CScheduleSheet& sheet) {
            Type(sheet, "Name", "平日");
            for (const char* day : {"day1", "day3", "day5", "day6"}) Click(sheet, day);
            Click(sheet, "pattern2");
            Find<QTimeEdit>(sheet, "StartTime")->setTime(QTime(21, 30));
            Click(sheet, "Synchronize");
            Ok(sheet);
        });
        QCOMPARE(w.list.At(0).Weekdays, WeekdayMask{0x15});
        QCOMPARE(RowTexts(page, 0),
                 (QStringList{"平日", "曜日指定", "月水金", "隔週", "21時30分"}));
    }

    void aChangeStartsTheRunMarksAgain() {
        ScheduleEditorWorld w;
        w.list.Append(RanEntry(w.settings.context()));
        CScheduleViewDlg page(&w.list, w.services);
        SelectRow(page, 0);
        WithSheet(Button(page, "change"), [](CScheduleSheet& sheet) {
            QCOMPARE(Find<QLineEdit>(sheet, "Name")->text(), QString("毎日"));
            Type(sheet, "Name", "毎晩");
            Ok(sheet);
        });
        QCOMPARE(w.list.Count(), size_t{1});
        QCOMPARE(w.list.At(0).Name, std::string("毎晩"));
        QVERIFY(!w.list.At(0).HasRun);
        QVERIFY(!w.list.At(0).LastRunDate.IsValid());
        QCOMPARE(RowTexts(page, 0).at(0), QString("毎晩"));
    }

    void cancelOfTheSheetChangesNothing() {
        ScheduleEditorWorld w;
        w.list.Append(RanEntry(w.settings.context()));
        CScheduleViewDlg page(&w.list, w.services);
        SelectRow(page, 0);
        WithSheet(Button(page, "change"), [](CScheduleSheet& sheet) {
            Type(sheet, "Name", "別名");
            Click(sheet, "Synchronize");
            Click(sheet, "byDate");
            Cancel(sheet);
        });
        WithSheet(Button(page, "new"), [](CScheduleSheet& sheet) {
            Click(sheet, "Synchronize");
            Cancel(sheet);
        });
        QCOMPARE(w.list.Count(), size_t{1});
        const ScheduleEntry& kept = w.list.At(0);
        QCOMPARE(kept.Name, std::string("毎日"));
        QCOMPARE(kept.Kind, ScheduleKind::ByWeekday);
        QCOMPARE(kept.Settings.Synchronize, 1);
        QVERIFY(kept.HasRun);
    }

    void withoutASelectedRowChangeAndDeleteDoNothing() {
        ScheduleEditorWorld w;
        w.list.Append(RanEntry(w.settings.context()));
        w.list.Append(RanEntry(w.settings.context()));
        w.list.At(1).Name = "二番目";
        CScheduleViewDlg page(&w.list, w.services);
        Button(page, "delete")->click();
        Button(page, "change")->click();  // opens no sheet
        QCOMPARE(w.list.Count(), size_t{2});
        SelectRow(page, 1);
        Button(page, "delete")->click();
        QCOMPARE(w.list.Count(), size_t{1});
        QCOMPARE(w.list.At(0).Name, std::string("毎日"));
        QCOMPARE(Find<QTreeWidget>(page, "schedules")->topLevelItemCount(), 1);
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::ScheduleViewPageTest)
#include "schedule_view_page_test.moc"
