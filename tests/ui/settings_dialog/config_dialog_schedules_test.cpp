// The schedules in the settings dialog: the schedule page edits the dialog's own copy, which
// replaces the controller's list only when the dialog ends accepting, and what the controller
// then saves is the list as edited.
#include <QPushButton>
#include <QTimeEdit>
#include <QTreeWidget>

#include "controller/settings_dialog/categories.h"
#include "platform/paths.h"
#include "settings/option_body.h"
#include "tests/support/file_bytes.h"
#include "tests/ui/schedule_editor/schedule_editor_world.h"
#include "ui/schedule_editor/schedule_view_page.h"
#include "ui/settings_dialog/config_dialog.h"
#include "ui/widgets/button_list.h"

namespace tv::test {
namespace {

using namespace std::string_literals;

class NoCopies : public CopyRunner {
  public:
    CopyRunResult RunCopyJob(const CopyJob&, const std::string&) override { return {}; }
    int RunRelocation(const RelocationRequest&, const std::string&) override { return 0; }
};

struct ConfigScheduleWorld : ScheduleEditorWorld {
    ConfigScheduleWorld() {
        ScheduleEntry entry = ScheduleEntry::New(settings.context());
        entry.Name = "毎日";
        entry.Settings.Synchronize = 1;
        list.Append(entry);
        live = DefaultSettings(settings.context());
        dialog = std::make_unique<CConfigDlg>(
            &live, ConfigDialogServices{settings.context(), prompts, copies,
                                        [](const std::string&) {}, &unitPages, &list});
        dialog->open();
        ChooseSchedules();
    }
    // Clicks the category's face and lets the list's posted notification arrive.
    void ChooseSchedules() {
        auto* list = dialog->findChild<CButtonList*>(QString::number(kIdCategoryList));
        for (const Category& category : kCategories) {
            if (category.id != kItemScheduleList) continue;
            const ItemRect& r = category.rect;
            QTest::mouseClick(list, Qt::LeftButton, {},
                              QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        }
        QCoreApplication::processEvents();
        if (page().isHidden()) qFatal("the schedule page is not shown");
    }
    CScheduleViewDlg& page() const { return *dialog->findChild<CScheduleViewDlg*>(); }
    QPushButton* DialogButton(int id) const {
        return dialog->findChild<QPushButton*>(QString::number(id));
    }

    // Deletes "毎日" and adds "夜間": Monday, Wednesday and Friday at 21:30, weekly, all drives.
    void EditTheList() {
        Find<QTreeWidget>(page(), "schedules")->topLevelItem(0)->setSelected(true);
        Find<QPushButton>(page(), "delete")->click();
        WithSheet(Find<QPushButton>(page(), "new"), [](CScheduleSheet& sheet) {
            Type(sheet, "Name", "夜間");
            for (const char* day : {"day1", "day3", "day5", "day6"}) Click(sheet, day);
            Find<QTimeEdit>(sheet, "StartTime")->setTime(QTime(21, 30));
            Click(sheet, "Synchronize");
            Ok(sheet);
        });
    }

    SettingsRecord live;
    NoCopies copies;
    std::unique_ptr<CConfigDlg> dialog;
};

std::vector<std::string> NamesOf(const ScheduleList& list) {
    std::vector<std::string> names;
    for (size_t i = 0; i < list.Count(); ++i) names.push_back(list.At(i).Name);
    return names;
}

}  // namespace

class ConfigDialogSchedulesTest : public QObject {
    Q_OBJECT

  private slots:
    void onlyAnAcceptingEndHandsTheEditsBack() {
        struct Case {
            const char* name;
            std::function<void(ConfigScheduleWorld&)> end;
            int code;
            std::vector<std::string> names;
        };
        const std::vector<Case> cases = {
            {"設定",
             [](ConfigScheduleWorld& w) { w.DialogButton(kEndApply)->click(); },
             kEndApply,
             {"夜間"}},
            {"drive unit start",
             [](ConfigScheduleWorld& w) { w.dialog->OnStartRun(1074); },
             kEndRunDriveUnit,
             {"夜間"}},
            {"file/directory start",
             [](ConfigScheduleWorld& w) { w.dialog->OnStartRun(1078); },
             kEndRunFileDir,
             {"夜間"}},
            {"キャンセル",
             [](ConfigScheduleWorld& w) { w.DialogButton(kEndCancel)->click(); },
             kEndCancel,
             {"毎日"}},
            {"close box", [](ConfigScheduleWorld& w) { w.dialog->close(); }, kEndCancel, {"毎日"}},
        };
        for (const Case& c : cases) {
            ConfigScheduleWorld w;
            w.EditTheList();
            QVERIFY2(NamesOf(w.list) == std::vector<std::string>{"毎日"}, c.name);
            c.end(w);
            QVERIFY2(!w.dialog->isVisible(), c.name);
            QVERIFY2(w.dialog->result() == c.code, c.name);
            QVERIFY2(NamesOf(w.list) == c.names, c.name);
        }
    }

    // A schedule fires while the dialog is open: without edits of the schedules, applying
    // keeps what the run changed in the controller's list.
    void applyWithoutScheduleEditsKeepsTheRunMarks() {
        ConfigScheduleWorld w;
        w.list.At(0).MarkRun(DateTime::FromParts(2005, 7, 1, 9, 31));
        w.DialogButton(kEndApply)->click();
        QCOMPARE(w.dialog->result(), kEndApply);
        QVERIFY(w.list.At(0).HasRun);
        QCOMPARE(w.list.At(0).LastRunDate, DateTime::FromParts(2005, 7, 1));
    }

    // The controller saves the list after the dialog's apply; the entry made in the editor is
    // written item by item.
    void theAppliedListIsWhatSchDatHolds() {
        ConfigScheduleWorld w;
        w.EditTheList();
        w.DialogButton(kEndApply)->click();
        QCOMPARE(w.dialog->result(), kEndApply);
        QVERIFY(w.list.Save());

        std::string settingsBody;
        QVERIFY(WriteOptionBody(w.list.At(0).Settings, &settingsBody));
        QCOMPARE(w.list.At(0).Settings.Synchronize, 1);
        const std::string expected =
            "\x01\0\0\0"s  // one entry
            "\x06\0\0\0"s  // name length
            "夜間"
            "\x01"s              // ByWeekday
            "\x8b\xd8\xff\xff"s  // no date: -10101
            "\x15"s              // Monday, Wednesday, Friday
            "\x01"s              // Weekly
            "\x0a\x05\0\0"s      // 21 × 60 + 30
            "\0"s                // never run
            + settingsBody;
        QCOMPARE(FileBytes(JoinPath(w.settings.world().programDir(), "sch.dat")), expected);
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::ConfigDialogSchedulesTest)
#include "config_dialog_schedules_test.moc"
