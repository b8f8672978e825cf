// The built program on a private X server whose notification area starts only after the
// program: the program must still ask to be docked there, as it does when a desktop session
// starts it before its panel.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/app/fake_notification_area.h"
#include "tests/app/private_x_server.h"
#include "tests/app/program_process.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

#if defined(TV_PROGRAM_PATH) && defined(TV_TEST_X11)

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
