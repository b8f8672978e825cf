// Two real processes of the built program: the second finds the first running, says so once and
// ends with failure, and the first goes on. Both run on Qt's offscreen platform in the test's own
// HOME and runtime folder; there no one could answer a message box, so the program writes the
// box's text to its standard error stream and goes on as if it was closed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/locations.h"
#include "platform/paths.h"
#include "tests/app/program_process.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(ControllerSingleInstance, SecondProcessSaysSoOnceAndFailsWhileTheFirstRuns) {
#ifndef TV_PROGRAM_PATH
    GTEST_SKIP() << "built without the user interface";
#else
    TestWorld world;
    const std::string program = CopyProgramInto(world);
    const std::string firstErrors = JoinPath(world.base(), "first.txt");
    const std::string secondErrors = JoinPath(world.base(), "second.txt");

    ProgramProcess first(program, firstErrors);
    ASSERT_TRUE(first.started());
    // The drive table file is written once the instance is ours.
    ASSERT_TRUE(WaitFor([&] { return PathExists(JoinPath(world.configDir(), "drives.tsv")); }));

    ProgramProcess second(program, secondErrors);
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.WaitForExit(), std::optional<int>(EXIT_FAILURE));
    std::string errors;
    ASSERT_TRUE(ReadWholeFile(secondErrors, &errors));
    EXPECT_EQ(Occurrences(errors, "Tessaravineはすでに起動されています"), 1) << errors;
    EXPECT_TRUE(first.IsRunning());
    std::string firstOutput;
    ReadWholeFile(firstErrors, &firstOutput);
    EXPECT_EQ(Occurrences(firstOutput, "すでに起動"), 0) << firstOutput;
#endif
}

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
