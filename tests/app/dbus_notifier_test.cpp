// The notifier port against a stand-in for the notification server on a private bus: the call
// and its texts and actions, the program's entry and icon and the body's escaping on every
// notice, the user's choice called back once and only for our own notice, and, through the
// frame, a failed run's notice whose action opens the settings dialog on the activity log of
// the run's day (offscreen).
#include "app/desktop/dbus_notifier.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusArgument>
#include <QListWidget>
#include <QTimer>
#include <memory>

#include "app/qt_settings_dialog.h"
#include "controller/runners/drive_unit_run.h"
#include "log/log_store.h"
#include "tests/app/notification_mock.h"
#include "tests/controller/frame_world.h"
#include "tests/support/file_step_record.h"
#include "tests/support/spawned_process.h"
#include "tests/support/wait_until.h"
#include "ui/log_viewer/log_list_dialog.h"
#include "ui/settings_dialog/config_dialog.h"

namespace tv::test {
namespace {

constexpr auto kPatience = std::chrono::seconds(20);

// Before the application: the dialogs are drawn offscreen.
bool UseOffscreenPlatform() { return qputenv("QT_QPA_PLATFORM", "offscreen"); }

// Lets the event loop deliver the signals that come in, until condition holds.
bool DeliverUntil(const std::function<bool()>& condition) {
    return WaitUntil(kPatience, [&condition] {
        QCoreApplication::processEvents();
        return condition();
    });
}

class DbusNotifierTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(mock_.Start()) << "FAILED LOUDLY: " << mock_.error();
        notifier_ = std::make_unique<DbusNotifier>(mock_.BusAddress());
    }
    void TearDown() override { notifier_.reset(); }

    // A notice whose action counts the choices in *chosen.
    static Notice CountingNotice(const std::string& summary, int* chosen) {
        return Notice{summary, "本文",
                      NoticeAction{"open-log", "ログを開く", [chosen] { ++*chosen; }}};
    }
    // The id the server gave to the notice of call number index.
    uint IdOfCall(size_t index) const { return static_cast<uint>(index + 1); }

    bool offscreen_ = UseOffscreenPlatform();
    int argc_ = 1;
    char name_[16] = "dbus_notifier";
    char* argv_[1] = {name_};
    QApplication application_{argc_, argv_};
    FrameWorld w_;
    NotificationMock mock_{w_.world.base()};
    std::unique_ptr<DbusNotifier> notifier_;
};

TEST_F(DbusNotifierTest, ANoticeIsOneNotifyCallWithItsTextsAndItsAction) {
    int chosen = 0;
    ASSERT_TRUE(notifier_->Notify(CountingNotice("バックアップに失敗しました", &chosen)));
    ASSERT_TRUE(
        notifier_->Notify(Notice{"Tessaravine", "ログオフできませんでした。", std::nullopt}));

    const std::vector<QVariantList> calls = mock_.NotifyCalls();
    ASSERT_EQ(calls.size(), 2u);
    ASSERT_EQ(calls[0].size(), 8);
    EXPECT_EQ(calls[0][0].toString(), "Tessaravine");
    EXPECT_EQ(calls[0][1].toUInt(), 0u);  // a new notice, replacing none
    EXPECT_EQ(calls[0][3].toString(), "バックアップに失敗しました");
    EXPECT_EQ(calls[0][4].toString(), "本文");
    // The action as a button and as the click on the notice.
    EXPECT_EQ(calls[0][5].toStringList(),
              (QStringList{"open-log", "ログを開く", "default", "ログを開く"}));
    EXPECT_EQ(calls[0][7].toInt(), -1);
    EXPECT_EQ(calls[1][4].toString(), "ログオフできませんでした。");
    EXPECT_TRUE(calls[1][5].toStringList().isEmpty());
    EXPECT_EQ(chosen, 0);
}

TEST_F(DbusNotifierTest, OnlyTheChoiceOnOurOwnShownNoticeCallsItsActionOnce) {
    int first = 0, closed = 0, marker = 0;
    ASSERT_TRUE(notifier_->Notify(CountingNotice("一", &first)));
    ASSERT_TRUE(notifier_->Notify(CountingNotice("二", &closed)));
    ASSERT_TRUE(notifier_->Notify(CountingNotice("三", &marker)));

    ASSERT_TRUE(mock_.InvokeAction(IdOfCall(0), "open-log"));
    ASSERT_TRUE(DeliverUntil([&first] { return first == 1; }));

    // Chosen again, another program's notice, a key of none of ours, a notice closed before
    // the choice: nothing. The signals come in order, so once the last notice's choice has
    // arrived, every one before it has too.
    ASSERT_TRUE(mock_.InvokeAction(IdOfCall(0), "open-log"));
    ASSERT_TRUE(mock_.InvokeAction(99, "open-log"));
    ASSERT_TRUE(mock_.InvokeAction(IdOfCall(1), "something-else"));
    ASSERT_TRUE(mock_.Close(IdOfCall(1)));
    ASSERT_TRUE(mock_.InvokeAction(IdOfCall(1), "open-log"));
    ASSERT_TRUE(mock_.InvokeAction(IdOfCall(2), "default"));
    ASSERT_TRUE(DeliverUntil([&marker] { return marker == 1; }));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(closed, 0);
}

TEST_F(DbusNotifierTest, WithoutAServerNoNoticeIsTaken) {
    mock_.StopMock();
    int chosen = 0;
    EXPECT_FALSE(notifier_->Notify(CountingNotice("バックアップに失敗しました", &chosen)));
}

struct MarkupCase {
    const char* name;
    const char* folder;        // of the server's bus: its address holds no spaces
    std::string capabilities;  // the mock's own list, with "body-markup", when empty
    std::string shownBody;
};

// Every notice carries the program's desktop entry and icon. Its body, plain text, is escaped
// only for a server that reads markup, and the server is asked that once.
TEST_F(DbusNotifierTest, EveryNoticeNamesTheProgramAndItsBodyArrivesAsPlainText) {
    const MarkupCase cases[] = {
        {"a server that reads markup", "markup", "", "&lt;b&gt;&amp; 「a&gt;b」.txt"},
        {"a server that shows the text as it is", "plain", "body actions", "<b>& 「a>b」.txt"},
    };
    // One connection of each kind at a time: the notifier's and the mock's are named.
    notifier_.reset();
    for (const MarkupCase& c : cases) {
        NotificationMock server(w_.world.MakeFolder(c.folder), c.capabilities);
        ASSERT_TRUE(server.Start()) << "FAILED LOUDLY: " << server.error();
        DbusNotifier notifier(server.BusAddress());
        ASSERT_TRUE(notifier.Notify(Notice{"一", "<b>& 「a>b」.txt", std::nullopt}));
        ASSERT_TRUE(notifier.Notify(Notice{"二", "<b>& 「a>b」.txt", std::nullopt}));

        const std::vector<QVariantList> calls = server.NotifyCalls();
        ASSERT_EQ(calls.size(), 2u) << c.name;
        for (const QVariantList& call : calls) {
            ASSERT_EQ(call.size(), 8) << c.name;
            EXPECT_EQ(call[2].toString().toStdString(), "tessaravine") << c.name;
            EXPECT_EQ(call[4].toString().toStdString(), c.shownBody) << c.name;
            const QVariantMap hints = qdbus_cast<QVariantMap>(call[6].value<QDBusArgument>());
            EXPECT_EQ(hints, (QVariantMap{{"desktop-entry", "tessaravine"}})) << c.name;
        }
        EXPECT_EQ(server.CallsOf("GetCapabilities").size(), 1u) << c.name;
    }
}

// The whole way: a run with 3 failed files on the frame, its notice on the server, the user's
// choice, and the settings dialog that opens on the activity log of the run's day.
TEST_F(DbusNotifierTest, TheActionOfAFailedRunOpensTheLogOfItsDay) {
    w_.world.AddDrive('C', kDriveFixed, 0x1111AAAA);
    const std::string backupDrive = w_.world.AddDrive('D', kDriveFixed, 0x4444DDDD);
    w_.StoreSettings([&backupDrive](SettingsRecord& s) {
        s.SynchroDirectory = JoinPath(backupDrive, "sync");
        s.SyncNoCDCopy = 1;
    });
    const SettingsContext context = w_.Context();
    QtSettingsDialog dialog(
        context, w_.prompts, w_.copyRunner,
        UnitPageServices{
            w_.world.drives(), w_.shares, w_.prompts, w_.world.locations().documentsDir, {}});
    w_.settingsDialog = &dialog;
    w_.notifierPort = notifier_.get();
    MainFrame& frame = w_.Start();
    w_.copyRunner.finish = [](const CopyJob&, CopyOutcome& outcome) {
        outcome.Logged.errors = 3;
        outcome.HadError = 1;
    };
    {
        LogStore log(w_.world.programDir());
        ASSERT_TRUE(log.Append(
            FileStepRecord("2005/07/31", "09:30:00", "ファイル作成", "バックアップ", "エラー")));
        ASSERT_TRUE(log.Append(
            FileStepRecord("2005/08/01", "08:00:00", "ファイル作成", "バックアップ", "ＯＫ")));
    }

    RunDriveUnit(frame, frame.settings(), RunOrigin::Timer);
    const std::vector<QVariantList> calls = mock_.NotifyCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0][3].toString(), "バックアップに失敗しました");
    EXPECT_EQ(calls[0][4].toString(),
              "「ドライブ単位」で 3 個のファイルをコピーできませんでした。");
    EXPECT_EQ(calls[0][5].toStringList().value(1), "ログを開く");

    // The next morning the user chooses the action; the dialog is looked at once it is open,
    // then cancelled.
    w_.clock.SetLocal(2005, 8, 1, 8, 30, 0);
    QString dayShown, dayChosen;
    bool pageVisible = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* open = qobject_cast<CConfigDlg*>(QApplication::activeModalWidget());
        if (open == nullptr) return;
        auto* page = open->findChild<CLogListDlg*>();
        if (page == nullptr || page->Loader().Loading()) return;
        pageVisible = page->isVisible();
        dayShown = QString::fromStdString(page->Loader().Day());
        const auto* days = page->findChild<QListWidget*>(QString::number(kIdLogDayList));
        if (days != nullptr && days->currentItem() != nullptr) {
            dayChosen = days->currentItem()->text();
        }
        look.stop();
        open->reject();
    });
    look.start(10);
    ASSERT_TRUE(mock_.InvokeAction(1, "open-log"));
    ASSERT_TRUE(DeliverUntil([&] { return !look.isActive(); }));

    EXPECT_TRUE(pageVisible);
    EXPECT_EQ(dayShown, "2005/07/31");
    EXPECT_EQ(dayChosen, "2005/07/31");
    EXPECT_FALSE(frame.state().mode.dialogOpen());
}

}  // namespace
}  // namespace tv::test
