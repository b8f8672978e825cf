// Copies into a folder the run has just made are not looked for (nothing else can be there),
// except by a name the run has put there itself since.
#include <gtest/gtest.h>

#include "engine/job/run_context.h"
#include "tests/support/fake_clock.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

TEST(NewFolderCopiesTest, OnlyANameNotYetPutIntoAFolderMadeJustNowIsSurelyAbsent) {
    TestWorld world;
    FakeClock clock;
    RunContext context(clock, world.drives());
    EXPECT_FALSE(context.IsSurelyAbsent("/d/new/a"));

    context.NoteFolderMadeSure("/d/new", true);
    EXPECT_TRUE(context.IsSurelyAbsent("/d/new/a"));
    EXPECT_FALSE(context.IsSurelyAbsent("/d/other/a"));
    EXPECT_FALSE(context.IsSurelyAbsent("/d/new/sub/a"));
    context.NoteCopyPut("/d/new/a");
    EXPECT_FALSE(context.IsSurelyAbsent("/d/new/a"));
    EXPECT_TRUE(context.IsSurelyAbsent("/d/new/b"));

    // A folder that was there already may hold anything.
    context.NoteFolderMadeSure("/d/old");
    EXPECT_FALSE(context.IsSurelyAbsent("/d/old/b"));
    // Back in the new folder, made sure of again but not made: it is looked in.
    context.NoteFolderMadeSure("/d/new");
    EXPECT_FALSE(context.IsSurelyAbsent("/d/new/b"));
}

}  // namespace
}  // namespace tv::test
