#include "ui/settings_dialog/pages/details_page.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/paths.h"
#include "platform/win_constants.h"
#include "settings/stored_units.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"
#include "tests/ui/settings_dialog/pages/bound_controls.h"
#include "tests/ui/settings_dialog/record_lines.h"
#include "ui/settings_dialog/dialogs/drop_file_dialog.h"
#include "ui/settings_dialog/dialogs/extension_dialog.h"

namespace tv::test {
namespace {

struct DetailsWorld {
    DetailsWorld() {
        record.ExceptDate = DateTime::FromParts(1899, 12, 30);
        record.BeforeLogDate = DateOfDayCount(31);
        record.NoIdleTime = 5;
    }
    TestWorld world;
    ScriptedPrompts prompts;
    SettingsRecord record;
    FolderChooser noFolder = [](QWidget*, const QString&) { return QUrl(); };
};

template <typename Control>
Control* Find(const QWidget& page, const char* name) {
    auto* control = page.findChild<Control*>(name);
    if (control == nullptr) qFatal("no control %s", name);
    return control;
}

// Does what user does to the next modal dialog once it is open.
template <typename Dialog>
void AnswerNextDialog(std::function<void(Dialog*)> user) {
    QTimer::singleShot(0, [user] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) qFatal("no dialog open");
        user(dialog);
    });
}

// Adds typed through "追加" of the list name: the extension dialog, the text typed, OK.
void AddTyped(const QWidget& page, const char* name, const char* typed) {
    AnswerNextDialog<CExtDlg>([typed](CExtDlg* dialog) {
        QLineEdit* edit = dialog->findChild<QComboBox*>("extensions")->lineEdit();
        edit->clear();
        QTest::keyClicks(edit, typed);
        dialog->findChild<QPushButton*>(QString::number(kIdOk))->click();
    });
    Find<QAbstractButton>(page, (std::string(name) + "Add").c_str())->click();
}

QStringList Items(const QComboBox& list) {
    QStringList items;
    for (int index = 0; index < list.count(); ++index) items << list.itemText(index);
    return items;
}

QStringList Texts(const std::vector<std::string>& list) {
    QStringList texts;
    for (const std::string& text : list) texts << QString::fromStdString(text);
    return texts;
}

void SetText(QWidget* control, const char* text) {
    static_cast<QLineEdit*>(control)->setText(text);
}

}  // namespace

class DetailsPageTest : public QObject {
    Q_OBJECT

  private slots:
    void everyBoundControlWritesItsFieldAtOnce() {
        DetailsWorld w;
        CWholePage page(&w.record, w.prompts, w.noFolder);
        QCOMPARE(page.windowTitle(), QString("詳細設定"));
        VerifyEveryChangeLands(
            page, w.record, w.record,
            {
                {"Sound1", Click, [](SettingsRecord& r) { r.Sound = 1; }},
                {"Navigation1", Click, [](SettingsRecord& r) { r.Navigation = 1; }},
                {"Navigation0", Click, [](SettingsRecord& r) { r.Navigation = 0; }},
                {"IgnorTime", [](QWidget* c) { QTest::keyClicks(c, "3"); },
                 [](SettingsRecord& r) { r.IgnorTime = 3; }},
                {"ExceptSubFolder", Click, [](SettingsRecord& r) { r.ExceptSubFolder = 1; }},
                {"ExceptDateFlag", Click, [](SettingsRecord& r) { r.ExceptDateFlag = 1; }},
                {"ExceptDate",
                 [](QWidget* c) { static_cast<QDateEdit*>(c)->setDate(QDate(2005, 7, 1)); },
                 [](SettingsRecord& r) { r.ExceptDate = DateTime::FromParts(2005, 7, 1); }},
                {"ExceptReadOnlyFile", Click, [](SettingsRecord& r) { r.ExceptReadOnlyFile = 1; }},
                {"ExceptHiddenFile", Click, [](SettingsRecord& r) { r.ExceptHiddenFile = 1; }},
                {"ExtFolder", Click, [](SettingsRecord& r) { r.ExtFolder = 1; }},
                {"ExecuteType", [](QWidget* c) { static_cast<QComboBox*>(c)->setCurrentIndex(2); },
                 [](SettingsRecord& r) { r.ExecuteType = 2; }},
                {"NoIdleSync", Click, [](SettingsRecord& r) { r.NoIdleSync = 1; }},
                {"NoIdleMirror", Click, [](SettingsRecord& r) { r.NoIdleMirror = 1; }},
                {"NoIdleTime", [](QWidget* c) { QTest::keyClicks(c, "0"); },
                 [](SettingsRecord& r) { r.NoIdleTime = 50; }},
                {"USBCheck", Click, [](SettingsRecord& r) { r.USBCheck = 1; }},
                {"USBCheckInterval", [](QWidget* c) { SetText(c, "30"); },
                 [](SettingsRecord& r) { r.USBCheckInterval = 30; }},
                {"BeforeLogDate",
                 [](QWidget* c) { static_cast<QDateEdit*>(c)->setDate(QDate(2000, 1, 7)); },
                 [](SettingsRecord& r) { r.BeforeLogDate = DateOfDayCount(7); }},
                {"DateFolder", Click, [](SettingsRecord& r) { r.DateFolder = 1; }},
                {"IdleCheck", Click, [](SettingsRecord& r) { r.IdleCheck = 1; }},
            });
    }

    // What is no integer keeps the field; leaving the edit then shows the field again.
    void anIntegerEditKeepsItsFieldForTextThatIsNoInteger() {
        const struct {
            const char* text;
            int32_t stored;
            const char* shownAfterLeaving;
        } cases[] = {
            {"42", 42, "42"},       {"", 5, "5"},      {"2147483647", 2147483647, "2147483647"},
            {"2147483648", 5, "5"}, {"007", 7, "007"},
        };
        for (const auto& c : cases) {
            DetailsWorld w;
            CWholePage page(&w.record, w.prompts, w.noFolder);
            auto* edit = Find<QLineEdit>(page, "NoIdleTime");
            edit->setText(c.text);
            QVERIFY2(w.record.NoIdleTime == c.stored, c.text);
            emit edit->editingFinished();
            QCOMPARE(edit->text(), QString(c.shownAfterLeaving));
        }
    }

    void theLogDayPickerShowsTheDayCountAndReachesEveryDay() {
        DetailsWorld w;
        w.record.BeforeLogDate = DateTime::FromParts(2005, 7, 15);
        CWholePage page(&w.record, w.prompts, w.noFolder);
        auto* picker = Find<QDateEdit>(page, "BeforeLogDate");
        QCOMPARE(picker->text(), QString("15"));
        picker->setDate(picker->maximumDate());
        QCOMPARE(DayCountOf(w.record.BeforeLogDate), 31);
        picker->setDate(picker->minimumDate());
        QCOMPARE(DayCountOf(w.record.BeforeLogDate), 1);
    }

    void anExtensionTypedInLowerCaseIsStoredInUpperCaseOnce() {
        DetailsWorld w;
        w.record.ExtList = {"TMP"};
        CWholePage page(&w.record, w.prompts, w.noFolder);
        AddTyped(page, "ExtList", "jpg");
        QCOMPARE(Texts(w.record.ExtList), QStringList({"TMP", "JPG"}));
        auto* list = Find<QComboBox>(page, "ExtList");
        QCOMPARE(list->currentText(), QString("JPG"));
        AddTyped(page, "ExtList", "jpg");
        AddTyped(page, "ExtList", "");
        QCOMPARE(Items(*list), QStringList({"TMP", "JPG"}));
        QCOMPARE(Texts(w.record.ExtList), QStringList({"TMP", "JPG"}));
        QVERIFY(w.record.IncExtList.empty());
    }

    void deleteRemovesTheFirstEntryThatBeginsWithTheTextInAnyCase() {
        const struct {
            const char* text;
            QStringList left;
        } cases[] = {
            {"jp", {"JPEG", "TXT", "jpx"}},      {"JPE", {"JPG", "TXT", "jpx"}},
            {"jpx", {"JPG", "JPEG", "TXT"}},     {"TXT2", {"JPG", "JPEG", "TXT", "jpx"}},
            {"", {"JPG", "JPEG", "TXT", "jpx"}},
        };
        for (const auto& c : cases) {
            DetailsWorld w;
            w.record.IncExtList = {"JPG", "JPEG", "TXT", "jpx"};
            CWholePage page(&w.record, w.prompts, w.noFolder);
            Find<QComboBox>(page, "IncExtList")->setEditText(c.text);
            Find<QAbstractButton>(page, "IncExtListDelete")->click();
            QVERIFY2(Texts(w.record.IncExtList) == c.left, c.text);
        }
    }

    void deletingTheLastExtensionDisablesItsDeleteOnly() {
        DetailsWorld w;
        w.record.ExtList = {"BAK"};
        w.record.IncExtList = {"DOC"};
        CWholePage page(&w.record, w.prompts, w.noFolder);
        auto* remove = Find<QAbstractButton>(page, "ExtListDelete");
        QVERIFY(remove->isEnabled());
        Find<QComboBox>(page, "ExtList")->setEditText("bak");
        remove->click();
        QVERIFY(w.record.ExtList.empty());
        QVERIFY(!remove->isEnabled());
        QVERIFY(Find<QAbstractButton>(page, "IncExtListDelete")->isEnabled());
        AddTyped(page, "ExtList", "tmp");
        QVERIFY(remove->isEnabled());
    }

    void theExclusionListTakesDroppedFoldersButNoFiles() {
        DetailsWorld w;
        const std::string base = w.world.MakeFolder("things");
        w.world.Write(base, {{"cache", {}}, {"notes.txt", TreeFile{"n"}}});
        w.record.ExceptList = {"/old"};
        CWholePage page(&w.record, w.prompts, w.noFolder);
        AnswerNextDialog<CDropFileDlg>([&](CDropFileDlg* dialog) {
            dialog->OfferDropped({JoinPath(base, "notes.txt"), JoinPath(base, "cache")});
            dialog->accept();
        });
        Find<QPushButton>(page, "ExceptList")->click();
        QCOMPARE(Texts(w.record.ExceptList),
                 QStringList({"/old", QString::fromStdString(JoinPath(base, "cache"))}));
    }

    void reloadShowsTheRecordAgainWithoutWritingIt() {
        DetailsWorld w;
        CWholePage page(&w.record, w.prompts, w.noFolder);
        w.record.ExtList = {"A", "B"};
        w.record.ExecuteType = 1;
        w.record.IgnorTime = 2;
        const SettingsRecord before = w.record;
        page.Reload();
        QCOMPARE(RecordLines(w.record), RecordLines(before));
        QCOMPARE(Items(*Find<QComboBox>(page, "ExtList")), QStringList({"A", "B"}));
        QCOMPARE(Find<QComboBox>(page, "ExecuteType")->currentText(),
                 QString("今回のみWindows終了時に実施"));
        QCOMPARE(Find<QLineEdit>(page, "IgnorTime")->text(), QString("2"));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::DetailsPageTest)
#include "details_page_test.moc"
