// The built program without a desktop session manager: it says once that runs at the session's
// end are off, and goes on running.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/app/program_process.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

constexpr const char* kNoSessionManager =
    "tessaravine: no session manager and no logind; runs at session end are off\n";

TEST(ProgramSessionManager, WithoutOneTheProgramSaysSoOnceAndRuns) {
#ifndef TV_PROGRAM_PATH
    GTEST_SKIP() << "built without the user interface";
#else
    TestWorld world;
    const std::string errorsFile = JoinPath(world.base(), "errors.txt");
    ProgramProcess program(CopyProgramInto(world), errorsFile);
    ASSERT_TRUE(program.started());

    std::string errors;
    EXPECT_TRUE(WaitFor([&] {
        return ReadWholeFile(errorsFile, &errors) &&
               errors.find(kNoSessionManager) != std::string::npos;
    })) << errors;
    EXPECT_EQ(errors.find(kNoSessionManager), errors.rfind(kNoSessionManager)) << errors;
    EXPECT_TRUE(program.IsRunning());
#endif
}

}  // namespace
}  // namespace tv::test
