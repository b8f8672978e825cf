#include "tests/engine/engine_fixture.h"

namespace tv::test {
namespace {

using LoadControlTest = EngineTest;

// A pause taken from a damaged or imported setting must not stall every buffer for minutes.
TEST_F(LoadControlTest, AnOutOfRangePauseIsHeldToTheLargestTheSettingsOffer) {
    world.Write(sourceRoot, {{"a.txt", TreeFile{.content = "abc"}}});
    job.LoadControl = 100000;
    EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));
    EXPECT_EQ(FileBytes(Copy("a.txt")), "abc");
    // Three pauses (after the read, after the write, after the empty read) of at most 10 ms,
    // and the pause after the file: far below one second of the fake clock.
    EXPECT_EQ(clock.Now(), kNow);
}

}  // namespace
}  // namespace tv::test
