// The built program makes the activity log's folder beside itself when it starts, since the log
// store never makes it and every record would otherwise be dropped.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/app/program_process.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

#ifdef TV_PROGRAM_PATH
TEST(ControllerLogFolder, TheProgramMakesItsLogFolderAtStart) {
    TestWorld world;
    const std::string program = CopyProgramInto(world);
    const std::string logFolder = JoinPath(BeforeLastSeparator(program), "Log");
    ASSERT_FALSE(PathExists(logFolder));
    ProgramProcess process(program, JoinPath(world.base(), "errors.txt"));
    ASSERT_TRUE(process.started());
    EXPECT_TRUE(WaitFor([&] { return IsDirectory(logFolder); }));
}
#endif

}  // namespace
}  // namespace tv::test
