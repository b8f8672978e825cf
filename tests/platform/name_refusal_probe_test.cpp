// What each destination driver refuses in names, found by the probe on real file systems, and
// the probe's folder never left behind nor reached through a link.
#include <gtest/gtest.h>
#include <unistd.h>

#include <ostream>
#include <string>

#include "platform/file_system.h"
#include "platform/name_refusals.h"
#include "platform/paths.h"
#include "tests/support/refusing_names.h"
#include "tests/support/scoped_mount.h"
#include "tests/support/test_world.h"
#include "tests/support/tree.h"

namespace tv::test {
namespace {

constexpr const char* kProbeName = ".tvpart-00000000000000a5";

NameRefusals Probe(const std::string& folder) {
    OpenFolder held;
    EXPECT_TRUE(held.OpenBelow(folder, folder));
    return FindNameRefusals(held, kProbeName);
}

class NameRefusalProbeTest : public ::testing::Test {
  protected:
    TestWorld world;
};

TEST_F(NameRefusalProbeTest, EachDriverRefusesWhatItsAnswersSay) {
    struct Case {
        FuseKind kind;
        NameRefusals expected;
    };
    const Case cases[] = {
        {FuseKind::Fat32, RefusingWindowsCharacters(false, false, true)},
        {FuseKind::Exfat, RefusingWindowsCharacters(false, false, false)},
        {FuseKind::NtfsWindowsNames, RefusingWindowsCharacters(true, true, false)},
        {FuseKind::Ntfs, NameRefusals{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(NameOf(c.kind));
        const std::string onto = world.MakeFolder(std::string("mnt-") + NameOf(c.kind));
        ScopedMount mount =
            ScopedMount::FuseImage(c.kind, JoinPath(world.base(), "medium.img"), onto);
        if (!mount.mounted()) GTEST_SKIP() << MountRefusedMessage(mount);
        const Tree before = world.Read(onto);
        EXPECT_FALSE(HoldsEveryName(onto));
        EXPECT_EQ(Probe(onto), c.expected);
        EXPECT_EQ(world.Read(onto), before);
        EXPECT_TRUE(mount.Unmount());
        unlink(JoinPath(world.base(), "medium.img").c_str());
    }
}

TEST_F(NameRefusalProbeTest, ALinuxFileSystemRefusesNothing) {
    EXPECT_TRUE(HoldsEveryName(world.base()));
    const std::string folder = world.MakeFolder("dest");
    EXPECT_EQ(Probe(folder), NameRefusals{});
    EXPECT_EQ(world.Read(folder), Tree{});
}

// A link in the probe's place is neither probed through nor emptied: what it points at stays.
TEST_F(NameRefusalProbeTest, ALinkInTheProbesPlaceIsLeftAlone) {
    const std::string folder = world.MakeFolder("dest");
    const std::string elsewhere = world.MakeFolder("elsewhere");
    world.Write(elsewhere, {{"keep.txt", TreeFile{.content = "k"}}});
    ASSERT_EQ(symlink(elsewhere.c_str(), JoinPath(folder, kProbeName).c_str()), 0);

    EXPECT_EQ(Probe(folder), NameRefusals{});
    OpenFolder held;
    ASSERT_TRUE(held.OpenBelow(folder, folder));
    EXPECT_FALSE(RemoveNameProbe(held, kProbeName));

    EXPECT_EQ(world.Read(elsewhere), (Tree{{"keep.txt", TreeFile{.content = "k"}}}));
    FileIdentity link;
    EXPECT_TRUE(GetEntryIdentity(JoinPath(folder, kProbeName), &link));
}

// A probe killed half way leaves its folder with a name in it, which goes as a whole.
TEST_F(NameRefusalProbeTest, AProbeLeftBehindIsRemovedWithWhatItHolds) {
    const std::string folder = world.MakeFolder("dest");
    world.Write(folder, {{kProbeName, {{"x?", TreeFile{}}}}, {"a.txt", TreeFile{}}});
    OpenFolder held;
    ASSERT_TRUE(held.OpenBelow(folder, folder));
    EXPECT_TRUE(RemoveNameProbe(held, kProbeName));
    EXPECT_FALSE(RemoveNameProbe(held, "a.txt"));
    EXPECT_EQ(world.Read(folder), (Tree{{"a.txt", TreeFile{}}}));
}

}  // namespace
}  // namespace tv::test
