// The settings dialog of the built program as a screen reader meets it: on an X server of the
// test's own, Qt exports the dialog to AT-SPI, and a client on that bus presses real keys and
// reads the category list, the focus and the name of every control Tab reaches.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/app/private_x_server.h"
#include "tests/app/program_process.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

#if defined(TV_PROGRAM_PATH) && defined(TV_ATSPI_WALK)

TEST(SettingsDialogAccessibility, KeysAloneReachEveryCategoryAndNamedControl) {
    PrivateXServer server;
    if (server.display().empty()) GTEST_SKIP() << "no Xvfb to run the program on";
    TestWorld world;
    // No settings of an earlier run: the program opens the settings dialog at start-up.
    const std::string errors = JoinPath(world.base(), "walk.txt");
    ProgramProcess walk(TV_ATSPI_WALK, errors,
                        {"DISPLAY=" + server.display(), "TV_PROGRAM=" + CopyProgramInto(world)});
    ASSERT_TRUE(walk.started());
    const std::optional<int> code = walk.WaitForExit();
    std::string said;
    ReadWholeFile(errors, &said);
    EXPECT_EQ(code, 0) << said;
}

#endif

}  // namespace
}  // namespace tv::test
