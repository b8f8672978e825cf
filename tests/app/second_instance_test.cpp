// Real processes of the built program started again while one runs: the second start opens the
// first one's settings dialog and ends quietly with 0; when it cannot reach the first, it says
// that the program runs already, once, and ends with failure. They run in the test's own HOME and
// runtime folder; on Qt's offscreen platform, where no one could answer a message box, the
// program writes the box's text to its standard error stream and goes on as if it was closed.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_system.h"
#include "platform/instance_channel.h"
#include "platform/locations.h"
#include "platform/paths.h"
#include "platform/single_instance.h"
#include "tests/app/notification_mock.h"
#include "tests/app/private_x_server.h"
#include "tests/app/program_files.h"
#include "tests/app/program_process.h"
#include "tests/app/x_windows.h"
#include "tests/support/test_world.h"
#include "tests/support/unix_socket.h"

namespace tv::test {
namespace {

#ifdef TV_PROGRAM_PATH

constexpr const char* kAlreadyRunning = "Tessaravineはすでに起動されています";
// Printed once the frame has started and looked for a notification area.
constexpr const char* kFrameStarted = "no notification area";

class SecondStartTest : public ::testing::Test {
  protected:
    // A started program whose standard error goes to the world's file named name.
    std::unique_ptr<ProgramProcess> Started(const std::string& name,
                                            const std::vector<std::string>& display) {
        return std::make_unique<ProgramProcess>(program_, ErrorsOf(name), display);
    }
    std::string ErrorsOf(const std::string& name) const { return JoinPath(world_.base(), name); }
    bool HasStarted(const std::string& name) {
        return WaitFor(
            [&] { return Bytes(ErrorsOf(name)).find(kFrameStarted) != std::string::npos; });
    }
    std::string Channel() const {
        return JoinPath(world_.locations().lockDir, kInstanceChannelName);
    }

    TestWorld world_;
    std::string program_ = CopyProgramInto(world_);
};

#ifdef TV_TEST_X11
// On an X server, where the dialog is a window with its title: processes of the user's that
// connect and say nothing or the wrong thing do not keep the first from answering.
TEST_F(SecondStartTest, ASecondStartOpensTheFirstOnesSettingsAndEndsQuietlyWithZero) {
    PrivateXServer server;
    if (server.display().empty()) GTEST_SKIP() << "no Xvfb to run the program on";
    const std::vector<std::string> display = {"DISPLAY=" + server.display(), "QT_QPA_PLATFORM=xcb"};
    StoreSettingsOfAnEarlierRun(world_);
    const auto first = Started("first.txt", display);
    ASSERT_TRUE(first->started());
    ASSERT_TRUE(HasStarted("first.txt")) << Bytes(ErrorsOf("first.txt"));
    ASSERT_EQ(ShownWindowsTitled(server.display(), "設定ダイアログ"), 0);

    const detail::UniqueFd silent = ConnectUnixSocket(Channel());
    const detail::UniqueFd babbling = ConnectUnixSocket(Channel());
    ASSERT_TRUE(silent.valid() && babbling.valid());
    const std::string babble(100, '\n');
    send(babbling.get(), babble.data(), babble.size(), MSG_NOSIGNAL);

    for (const char* name : {"second.txt", "third.txt"}) {
        SCOPED_TRACE(name);
        const auto again = Started(name, display);
        ASSERT_TRUE(again->started());
        EXPECT_EQ(again->WaitForExit(), std::optional<int>(EXIT_SUCCESS));
        EXPECT_EQ(Bytes(ErrorsOf(name)), "");
        // Started again while the dialog is open, the program shows that one.
        EXPECT_TRUE(
            WaitFor([&] { return ShownWindowsTitled(server.display(), "設定ダイアログ") == 1; }));
    }
    EXPECT_TRUE(first->IsRunning());
    EXPECT_EQ(Occurrences(Bytes(ErrorsOf("first.txt")), "すでに起動"), 0);
}
#endif

// The lock is held by a process that does not take calls: nothing listens where the program
// listens, or only the channel of a killed instance is left.
TEST_F(SecondStartTest, ASecondStartThatCannotReachTheFirstSaysSoOnceAndFails) {
    for (const bool deadChannel : {false, true}) {
        SCOPED_TRACE(deadChannel);
        SingleInstance holder;
        ASSERT_EQ(holder.Acquire(world_.locations().lockDir), InstanceLock::Held);
        if (deadChannel) {
            ASSERT_TRUE(LeaveDeadSocket(Channel()));
        }

        const auto second = Started("second.txt", {"QT_QPA_PLATFORM=offscreen"});
        ASSERT_TRUE(second->started());
        EXPECT_EQ(second->WaitForExit(), std::optional<int>(EXIT_FAILURE));
        const std::string errors = Bytes(ErrorsOf("second.txt"));
        EXPECT_EQ(Occurrences(errors, kAlreadyRunning), 1) << errors;
        EXPECT_FALSE(PathExists(JoinPath(world_.configDir(), "drives.tsv")));
        unlink(Channel().c_str());
    }
}

// Offscreen, with a notification server but neither a notification area nor a watcher of
// notification items on the bus.
TEST_F(SecondStartTest, WithoutANotificationAreaOneNoticeSaysWhereTheSettingsOpen) {
    int argc = 1;
    char name[] = "second_instance";
    char* argv[] = {name};
    const QCoreApplication application(argc, argv);
    NotificationMock server(world_.MakeFolder("bus"));
    ASSERT_TRUE(server.Start()) << server.error();
    StoreSettingsOfAnEarlierRun(world_);

    const auto first =
        Started("first.txt", {"QT_QPA_PLATFORM=offscreen",
                              "DBUS_SESSION_BUS_ADDRESS=" + server.BusAddress().toStdString()});
    ASSERT_TRUE(first->started());
    ASSERT_TRUE(HasStarted("first.txt")) << Bytes(ErrorsOf("first.txt"));
    ASSERT_TRUE(WaitFor([&] { return !server.NotifyCalls().empty(); }));
    // A second notice of the same start would follow the first within this.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::vector<QVariantList> calls = server.NotifyCalls();
    ASSERT_EQ(calls.size(), 1u);
    ASSERT_GE(calls[0].size(), 5);
    EXPECT_EQ(calls[0][3].toString().toStdString(), "Tessaravine");
    EXPECT_EQ(calls[0][4].toString().toStdString(),
              "通知領域がないため、アイコンを表示できません。設定は、アプリケーションメニューから"
              "「Tessaravine」をもう一度起動すると開きます。");
}

#endif

TEST(ControllerSingleInstance, WithoutASafeLockFolderTheProgramSaysSoAndFails) {
#ifndef TV_PROGRAM_PATH
    GTEST_SKIP() << "built without the user interface";
#else
    TestWorld world;
    const std::string program = CopyProgramInto(world);
    const std::string errorFile = JoinPath(world.base(), "errors.txt");
    // No runtime folder, and the fallback is a link that another account could have placed.
    unsetenv("XDG_RUNTIME_DIR");
    ASSERT_EQ(symlink(world.MakeFolder("elsewhere").c_str(), FallbackLockDir().c_str()), 0);

    ProgramProcess process(program, errorFile);
    ASSERT_TRUE(process.started());
    EXPECT_EQ(process.WaitForExit(), std::optional<int>(EXIT_FAILURE));
    std::string errors;
    ASSERT_TRUE(ReadWholeFile(errorFile, &errors));
    EXPECT_NE(errors.find("二重起動を防ぐロックファイルを"), std::string::npos) << errors;
    EXPECT_EQ(Occurrences(errors, "すでに起動"), 0) << errors;
    EXPECT_FALSE(PathExists(JoinPath(world.configDir(), "drives.tsv")));
#endif
}

}  // namespace
}  // namespace tv::test
