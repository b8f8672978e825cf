// The built program reads the user's pinned drives when it starts: the letters of
// pinned-drives.tsv are the program's drives from the first moment, and a damaged file is
// named on the standard error stream while the program goes on with the drives it finds.
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
// Whether the file at path comes to hold text within the test's patience.
bool ComesToHold(const std::string& path, const std::string& text) {
    return WaitFor([&] {
        std::string bytes;
        return ReadWholeFile(path, &bytes) && bytes.find(text) != std::string::npos;
    });
}

class ControllerPinnedDrives : public ::testing::Test {
  protected:
    // Starts the program with pinned-drives.tsv holding the given bytes.
    void StartWithPinnedFile(const std::string& bytes) {
        ASSERT_TRUE(WriteFileAtomically(JoinPath(world.configDir(), "pinned-drives.tsv"), bytes));
        program = std::make_unique<ProgramProcess>(CopyProgramInto(world), ErrorFile());
        ASSERT_TRUE(program->started());
    }
    std::string DrivesFile() const { return JoinPath(world.configDir(), "drives.tsv"); }
    std::string ErrorFile() const { return JoinPath(world.base(), "errors.txt"); }

    TestWorld world;
    std::unique_ptr<ProgramProcess> program;
};

TEST_F(ControllerPinnedDrives, TheFilesLettersAreTheProgramsDrives) {
    const std::string card = world.MakeFolder("card");
    StartWithPinnedFile("# the camera's card\r\nE\tremovable\t" + card + "\t1234abcd\tSDCARD\r\n");
    EXPECT_TRUE(ComesToHold(DrivesFile(), "E\t2\t" + card + "/\t1234ABCD\tSDCARD\t\tpinned\r\n"));
    EXPECT_TRUE(program->IsRunning());
}

TEST_F(ControllerPinnedDrives, ADamagedFileIsNamedAndTheProgramGoesOn) {
    StartWithPinnedFile("E\tremovable\trelative/folder\t-\tSDCARD\r\n");
    EXPECT_TRUE(ComesToHold(ErrorFile(), "pinned-drives.tsv"));
    EXPECT_TRUE(program->IsRunning());
}
#endif

}  // namespace
}  // namespace tv::test
