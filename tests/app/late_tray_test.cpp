// The built program on a private X server whose notification area starts only after the
// program: the program must still ask to be docked there, as it does when a desktop session
// starts it before its panel.
#include <gtest/gtest.h>
#include <poll.h>

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/app/fake_notification_area.h"
#include "tests/app/program_process.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

#if defined(TV_PROGRAM_PATH) && defined(TV_TEST_X11)

constexpr int kServerStartMs = 10000;

// Xvfb on the first free display, which it reports through a pipe; ended when the test leaves.
class PrivateXServer {
  public:
    PrivateXServer() {
        int fds[2];
        if (pipe(fds) != 0) return;
        std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb",    "-displayfd", fd.c_str(),   "-nolisten", "tcp",
                              "-screen", "0",          "640x480x24", nullptr};
        std::vector<std::string> variables = TestEnvironment({});
        std::vector<char*> envp = SpawnList(variables);
        if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), envp.data()) !=
            0) {
            pid_ = -1;
        }
        close(fds[1]);
        if (pid_ > 0) display_ = ReadDisplayNumber(fds[0]);
        close(fds[0]);
    }
    ~PrivateXServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":N", or "" when no server could be started.
    const std::string& display() const { return display_; }

  private:
    static std::string ReadDisplayNumber(int fd) {
        std::string number;
        char c = 0;
        pollfd ready{fd, POLLIN, 0};
        while (poll(&ready, 1, kServerStartMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
            number += c;
        }
        return number.empty() || c != '\n' ? "" : ":" + number;
    }

    pid_t pid_ = -1;
    std::string display_;
};

TEST(ControllerTrayIcon, ANotificationAreaThatStartsLaterGetsTheIcon) {
    PrivateXServer server;
    if (server.display().empty()) GTEST_SKIP() << "no Xvfb to run the program on";
    TestWorld world;
    StoreSettingsOfAnEarlierRun(world);
    const std::string errors = JoinPath(world.base(), "errors.txt");
    ProgramProcess program(CopyProgramInto(world), errors,
                           {"DISPLAY=" + server.display(), "QT_QPA_PLATFORM=xcb"});
    ASSERT_TRUE(program.started());
    // The program has looked for a notification area and found none.
    ASSERT_TRUE(WaitFor([&] {
        std::string text;
        return ReadWholeFile(errors, &text) &&
               text.find("no notification area") != std::string::npos;
    }));

    FakeNotificationArea area(server.display());
    ASSERT_TRUE(area.Start());
    EXPECT_TRUE(WaitFor([&] { return area.HasDockRequest(); }));
    EXPECT_TRUE(program.IsRunning());
}

#endif

}  // namespace
}  // namespace tv::test
