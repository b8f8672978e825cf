// The settings dialog as the user meets it: the category list, the pages it shows, the bottom
// buttons and the keys that must not close it.
#include "ui/settings_dialog/config_dialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "controller/settings_dialog/categories.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "settings/settings_summary.h"
#include "tests/settings/settings_world.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scripted_prompts.h"
#include "tests/ui/settings_dialog/record_lines.h"
#include "ui/log_viewer/log_list_dialog.h"
#include "ui/settings_dialog/dialog_images.h"
#include "ui/settings_dialog/pages/explanation_page.h"
#include "ui/settings_dialog/pages/network_page.h"
#include "ui/settings_dialog/pages/option_list_page.h"
#include "ui/widgets/button_list.h"

namespace tv::test {
namespace {

constexpr int kButtonIds[] = {kIdResetCategory, kIdResetAll, kIdLoadOptions,
                              kIdSaveOptions,   kEndApply,   kEndCancel};

class NoCopies : public CopyRunner {
  public:
    CopyRunResult RunCopyJob(const CopyJob&, const std::string&) override { return {}; }
    int RunRelocation(const RelocationRequest&, const std::string&) override { return 0; }
};

struct DialogWorld {
    DialogWorld() {
        settings.world().AddDrive('C', kDriveFixed, 0x1111u);
        live = DefaultSettings(settings.context());
        live.User1 = "tanaka";
        live.Pass1 = "pw1";
        live.User2 = "suzuki";
        live.Pass2 = "pw2";
        opened = live;
        dialog = std::make_unique<CConfigDlg>(
            &live, ConfigDialogServices{settings.context(), prompts, copies,
                                        [this](const std::string& path) {
                                            helpOpened << QString::fromStdString(path);
                                        }});
        dialog->open();
    }

    QPushButton* Button(int id) const {
        return dialog->findChild<QPushButton*>(QString::number(id));
    }
    // Clicks a category's face and lets the list's posted notification arrive.
    void Choose(int itemId) {
        auto* list = dialog->findChild<CButtonList*>(QString::number(kIdCategoryList));
        for (const Category& category : kCategories) {
            if (category.id != itemId) continue;
            const ItemRect& r = category.rect;
            QTest::mouseClick(list, Qt::LeftButton, {},
                              QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        }
        QCoreApplication::processEvents();
    }
    bool ButtonsShown() const {
        for (int id : kButtonIds) {
            if (Button(id)->isHidden() != !Button(id)->isEnabled()) qFatal("half shown button");
        }
        return !Button(kEndApply)->isHidden();
    }
    // The captions of the pages not hidden.
    QStringList ShownPages() const {
        QStringList captions;
        for (QWidget* page : dialog->findChildren<QWidget*>()) {
            if (dynamic_cast<SettingsPage*>(page) && !page->isHidden()) {
                captions << page->windowTitle();
            }
        }
        return captions;
    }

    SettingsWorld settings;
    SettingsRecord live;
    SettingsRecord opened;
    ScriptedPrompts prompts;
    NoCopies copies;
    QStringList helpOpened;
    std::unique_ptr<CConfigDlg> dialog;
};

}  // namespace

class ConfigDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void opensOnTheExplanationWithTheButtonsHidden() {
        DialogWorld w;
        QCOMPARE(w.dialog->windowTitle(), QString("設定ダイアログ"));
        QCOMPARE(w.dialog->size(), kDialogClientSize);
        QCOMPARE(w.ShownPages(), QStringList{"説明"});
        QVERIFY(!w.ButtonsShown());
        const QStringList texts{"初期化", "全初期化", "読込", "保存", "設定", "キャンセル"};
        for (size_t i = 0; i < std::size(kButtonIds); ++i) {
            QCOMPARE(w.Button(kButtonIds[i])->text(), texts[int(i)]);
        }
        // The buttons sit side by side under the pages, none over another.
        for (size_t i = 0; i < std::size(kButtonIds); ++i) {
            const QRect button = w.Button(kButtonIds[i])->geometry();
            QVERIFY(QRect(QPoint(0, 0), kDialogClientSize).contains(button));
            for (size_t j = i + 1; j < std::size(kButtonIds); ++j) {
                QVERIFY(!button.intersects(w.Button(kButtonIds[j])->geometry()));
            }
        }
        // The explanation covers the button row; the other pages end above it.
        const QRect explanation = w.dialog->findChild<CExplanDlg*>()->geometry();
        const QRect network = w.dialog->findChild<CNetworkDlg*>()->geometry();
        QCOMPARE(explanation.height(), network.height() + 35);
        QVERIFY(explanation.contains(w.Button(kEndApply)->geometry()));
        QVERIFY(!network.intersects(w.Button(kEndApply)->geometry()));
        QCOMPARE(w.dialog->findChild<COptListDlg*>()->Text(),
                 QString::fromStdString(BuildSettingsSummary(w.live)).remove('\r'));
    }

    void helpFirstThingKeepsTheExplanation() {
        DialogWorld w;
        w.Choose(kItemHelp);
        QCOMPARE(w.helpOpened, QStringList{QString::fromStdString(JoinPath(
                                   w.settings.world().programDir(), "TessaravineVer1.html"))});
        QCOMPARE(w.ShownPages(), QStringList{"説明"});
        QVERIFY(!w.ButtonsShown());
    }

    void helpAfterACategoryKeepsItsPage() {
        DialogWorld w;
        w.Choose(kItemSettingsList);
        QCOMPARE(w.ShownPages(), QStringList{"設定一覧"});
        QVERIFY(w.ButtonsShown());
        w.Choose(kItemHelp);
        QCOMPARE(w.helpOpened.size(), 1);
        QCOMPARE(w.ShownPages(), QStringList{"設定一覧"});
        QVERIFY(w.ButtonsShown());
    }

    void eachCategoryShowsItsOwnPageOnly() {
        DialogWorld w;
        w.Choose(kItemNetwork);
        QCOMPARE(w.ShownPages(), QStringList{"ネットワーク設定"});
        w.Choose(kItemSettingsList);
        QCOMPARE(w.ShownPages(), QStringList{"設定一覧"});
        w.Choose(kItemNetwork);
        QCOMPARE(w.ShownPages(), QStringList{"ネットワーク設定"});
    }

    // The activity log page reads the Log folder of the program directory.
    void theActivityLogShowsTheDaysOfTheProgramFolder() {
        DialogWorld w;
        PutFileBytes(JoinPath(JoinPath(w.settings.world().programDir(), "Log"), "20050630.txt"),
                     "");
        w.Choose(kItemActivityLog);
        QCOMPARE(w.ShownPages(), QStringList{"活動ログ表示"});
        const auto* days = w.dialog->findChild<QListWidget*>(QString::number(kIdLogDayList));
        QCOMPARE(days->count(), 2);
        QCOMPARE(days->item(1)->text(), QString("2005/06/30"));
    }

    // A notice's action on the open dialog: from another page, or from the log page on another
    // day, to the log of the notice's day, with the day files written since the page was shown.
    void showingTheActivityLogOfADaySwitchesToIt() {
        DialogWorld w;
        const std::string logFolder = JoinPath(w.settings.world().programDir(), "Log");
        PutFileBytes(JoinPath(logFolder, "20050630.txt"), "");
        w.Choose(kItemActivityLog);
        w.Choose(kItemNetwork);
        PutFileBytes(JoinPath(logFolder, "20050701.txt"), "");

        w.dialog->ShowActivityLog("2005/06/30");
        QCOMPARE(w.ShownPages(), QStringList{"活動ログ表示"});
        QVERIFY(w.ButtonsShown());
        const auto* list = w.dialog->findChild<CButtonList*>(QString::number(kIdCategoryList));
        QCOMPARE(list->SelectedId(), kItemActivityLog);
        const auto* page = w.dialog->findChild<CLogListDlg*>();
        QCOMPARE(page->Loader().Day(), std::string("2005/06/30"));
        const auto* days = w.dialog->findChild<QListWidget*>(QString::number(kIdLogDayList));
        QCOMPARE(days->count(), 3);
        QCOMPARE(days->currentItem()->text(), QString("2005/06/30"));

        w.dialog->ShowActivityLog("2005/07/01");
        QCOMPARE(days->currentItem()->text(), QString("2005/07/01"));
        QCOMPARE(page->Loader().Day(), std::string("2005/07/01"));
    }

    // A category whose page is not built yet leaves the page shown; from the explanation it
    // leaves the area empty but the buttons usable.
    void aCategoryWithoutAPageShowsNothingNew() {
        DialogWorld w;
        w.Choose(kItemDriveUnit);
        QCOMPARE(w.ShownPages(), QStringList());
        QVERIFY(w.ButtonsShown());
        w.Choose(kItemNetwork);
        w.Choose(kItemTestMode);
        QCOMPARE(w.ShownPages(), QStringList{"ネットワーク設定"});
    }

    void networkResetEmptiesTheFourEdits() {
        DialogWorld w;
        w.Choose(kItemNetwork);
        auto edit = [&](int id) { return w.dialog->findChild<QLineEdit*>(QString::number(id)); };
        QCOMPARE(edit(kIdUser1Edit)->text(), QString("tanaka"));
        w.Button(kIdResetCategory)->click();
        for (int id : {kIdUser1Edit, kIdPass1Edit, kIdUser2Edit, kIdPass2Edit}) {
            QCOMPARE(edit(id)->text(), QString());
        }
        SettingsRecord expected = w.opened;
        ClearCredentials(expected);
        QCOMPARE(RecordLines(w.live), RecordLines(expected));
        QVERIFY(w.dialog->isVisible());
    }

    void resetAllThenCancelPutsEverythingBack() {
        DialogWorld w;
        w.Choose(kItemNetwork);
        w.prompts.Expect("設定を初期化します。\nよろしいですか？", "確認",
                         kMbYesNo | kMbIconQuestion, kIdYes);
        w.Button(kIdResetAll)->click();
        QCOMPARE(w.dialog->findChild<QLineEdit*>(QString::number(kIdUser2Edit))->text(), QString());
        QCOMPARE(w.live.User2, std::string());
        w.Button(kEndCancel)->click();
        QCOMPARE(w.dialog->result(), kEndCancel);
        QVERIFY(!w.dialog->isVisible());
        QCOMPARE(RecordLines(w.live), RecordLines(w.opened));
    }

    void enterAndEscapeDoNothingAndTheCloseBoxCancels() {
        DialogWorld w;
        w.Choose(kItemNetwork);
        QLineEdit* user = w.dialog->findChild<QLineEdit*>(QString::number(kIdUser1Edit));
        QTest::keyClicks(user, "x");
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(user, key);
            QTest::keyClick(w.dialog.get(), key);
        }
        QVERIFY(w.dialog->isVisible());
        QCOMPARE(w.live.User1, std::string("tanakax"));
        QVERIFY(w.dialog->close());
        QCOMPARE(w.dialog->result(), kEndCancel);
        QCOMPARE(RecordLines(w.live), RecordLines(w.opened));
    }

    void applyEndsWithItsCodeKeepingTheEdits() {
        DialogWorld w;
        w.Choose(kItemNetwork);
        QTest::keyClicks(w.dialog->findChild<QLineEdit*>(QString::number(kIdPass2Edit)), "z");
        w.Button(kEndApply)->click();
        QCOMPARE(w.dialog->result(), kEndApply);
        QCOMPARE(w.live.Pass2, std::string("pw2z"));
    }

    void aStartRequestEndsWithItsCode() {
        for (int code : {kEndRunDriveUnit, kEndRunFileDir}) {
            DialogWorld w;
            w.dialog->OnStartRun(code);
            QVERIFY(!w.dialog->isVisible());
            QCOMPARE(w.dialog->result(), code);
        }
        DialogWorld w;
        w.dialog->OnStartRun(kEndApply);
        QVERIFY(w.dialog->isVisible());
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::ConfigDialogTest)
#include "config_dialog_test.moc"
