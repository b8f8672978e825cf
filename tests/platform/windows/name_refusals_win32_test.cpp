// What Windows refuses in names, known without a probe, and a probe folder that a run on Linux
// left on a medium removed with what it holds, never through a link.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/file_system.h"
#include "platform/name_refusals.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/refusing_names.h"
#include "tests/support/test_world.h"
#include "tests/support/tree.h"

namespace tv::test {
namespace {

constexpr const char* kProbeName = ".tvpart-00000000000000a5";

class NameRefusalsWin32Test : public ::testing::Test {
  protected:
    TestWorld world;
    const std::string folder = world.MakeFolder("dest");
};

TEST_F(NameRefusalsWin32Test, EveryVolumeRefusesWhatWindowsNamesMayNotHold) {
    EXPECT_FALSE(HoldsEveryName(folder));
    OpenFolder held;
    ASSERT_TRUE(held.OpenBelow(folder, folder));
    EXPECT_EQ(FindNameRefusals(held, kProbeName), RefusingWindowsCharacters(true, true, false));
    EXPECT_EQ(world.Read(folder), Tree{});
    // Nothing is refused where nothing could be looked at.
    EXPECT_EQ(FindNameRefusals(OpenFolder(), kProbeName), NameRefusals{});
}

// A probe killed half way leaves its folder with files in it, read-only ones too, which go
// with it; a folder inside keeps it, and what is no folder is no probe.
TEST_F(NameRefusalsWin32Test, AProbeLeftBehindIsRemovedWithTheFilesItHolds) {
    world.Write(
        folder,
        {{kProbeName,
          {{"x1", TreeFile{}},
           {"x2", TreeFile{.content = "", .mtime = kDefaultMtime, .attrs = kAttrReadOnly}}}},
         {"kept", {{"inner", Tree{}}}},
         {"a.txt", TreeFile{}}});
    OpenFolder held;
    ASSERT_TRUE(held.OpenBelow(folder, folder));
    EXPECT_TRUE(RemoveNameProbe(held, kProbeName));
    EXPECT_FALSE(RemoveNameProbe(held, "a.txt"));
    EXPECT_FALSE(RemoveNameProbe(held, "kept"));
    EXPECT_FALSE(RemoveNameProbe(held, "missing"));
    EXPECT_EQ(world.Read(folder), (Tree{{"kept", {{"inner", Tree{}}}}, {"a.txt", TreeFile{}}}));
}

TEST_F(NameRefusalsWin32Test, ALinkInTheProbesPlaceIsLeftAlone) {
    const std::string elsewhere = world.MakeFolder("elsewhere");
    world.Write(elsewhere, {{"keep.txt", TreeFile{.content = "k"}}});
    const std::string link = JoinPath(folder, kProbeName);
    if (!CreateSymbolicLink(elsewhere, link, FileTime{}, FileTime{})) {
        GTEST_SKIP() << "this system makes no symbolic links (Wine answers without one)";
    }
    OpenFolder held;
    ASSERT_TRUE(held.OpenBelow(folder, folder));
    EXPECT_FALSE(RemoveNameProbe(held, kProbeName));
    EXPECT_EQ(world.Read(elsewhere), (Tree{{"keep.txt", TreeFile{.content = "k"}}}));
    FileIdentity entry;
    EXPECT_TRUE(GetEntryIdentity(link, &entry));
}

}  // namespace
}  // namespace tv::test
