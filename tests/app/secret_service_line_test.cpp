// The program tells on its standard error, once, when no secret service answers for the share
// accounts, and says nothing of it when the session's keyring answers.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/app/program_files.h"
#include "tests/app/program_process.h"
#include "tests/support/keyring_session.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

#ifdef TV_PROGRAM_PATH

constexpr const char* kNoSecretService = "no secret service answers";
// Printed once the frame has started and looked for a notification area.
constexpr const char* kFrameStarted = "no notification area";

// What the program wrote on its standard error until its frame had started.
std::string StartErrors(TestWorld& world, const std::vector<std::string>& environment) {
    const std::string program = CopyProgramInto(world);
    StoreSettingsOfAnEarlierRun(world);
    const std::string errors = JoinPath(world.base(), "errors.txt");
    ProgramProcess process(program, errors, environment);
    std::string text;
    WaitFor([&] {
        ReadWholeFile(errors, &text);
        return text.find(kFrameStarted) != std::string::npos;
    });
    return text;
}

TEST(SecretServiceLine, WithoutASessionBusTheStartSaysSoOnce) {
    TestWorld world;
    const std::string errors = StartErrors(world, {"QT_QPA_PLATFORM=offscreen"});
    ASSERT_NE(errors.find(kFrameStarted), std::string::npos) << errors;
    EXPECT_EQ(Occurrences(errors, kNoSecretService), 1) << errors;
}

TEST(SecretServiceLine, WithTheSessionsKeyringTheStartSaysNothingOfIt) {
    TestWorld world;
    KeyringSession keyring;
    if (!keyring.Start()) GTEST_SKIP() << "SKIPPED LOUDLY: " << keyring.error();
    const std::string errors = StartErrors(
        world, {"QT_QPA_PLATFORM=offscreen", "DBUS_SESSION_BUS_ADDRESS=" + keyring.BusAddress()});
    ASSERT_NE(errors.find(kFrameStarted), std::string::npos) << errors;
    EXPECT_EQ(Occurrences(errors, kNoSecretService), 0) << errors;
}

#endif

}  // namespace
}  // namespace tv::test
