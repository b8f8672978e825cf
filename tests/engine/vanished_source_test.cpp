#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "tests/engine/engine_fixture.h"
#include "tests/support/scoped_mount.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content) { return TreeFile{.content = content}; }

// A mirror of drive E: whose source is made to vanish as soon as the deletion begins, leaving a
// folder of the same name with one stray file where the source root was.
class VanishedSourceTest : public EngineTest {
  protected:
    VanishedSourceTest() { job.ForceMirror = 1; }

    // Runs with the copies and the extras in the destination; vanish is called once, at the
    // first entry the deletion looks at.
    void RunVanishingAtDeletion(const std::function<void()>& vanish) {
        world.Write(destination, mirrored);
        world.Write(destination, extras);
        job.IdleCheck = 1;
        bool vanished = false;
        idle.answer = [&] {
            if (stopper->phase() == Phase::Deleting && !vanished) {
                vanished = true;
                vanish();
            }
            return true;
        };
        EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));
        EXPECT_TRUE(vanished);
    }

    // Everything the destination held is still there.
    void ExpectNothingDeleted() {
        Tree expected = mirrored;
        for (const auto& [name, node] : extras) expected[name] = node;
        expected["sub"].children = {{"x.txt", Text("x")}, {"y.txt", Text("y")}};
        EXPECT_EQ(world.Read(destination), expected);
        EXPECT_EQ(world.Read(world.TrashFiles()), Tree{});
        EXPECT_EQ(outcome.HadError, 1);
    }

    const Tree mirrored = {
        {"a.txt", Text("a")}, {"b.txt", Text("b")}, {"sub", {{"x.txt", Text("x")}}}};
    const Tree extras = {{"extra.txt", Text("e")}, {"sub", {{"y.txt", Text("y")}}}};
    const Tree stray = {{"stray.txt", Text("s")}};
};

// The medium is unmounted during the deletion; its mount point holds a stray file of its own.
TEST_F(VanishedSourceTest, AnUnmountedSourceOverAStrayFileStopsTheDeletion) {
    world.Write(sourceRoot, stray);
    ScopedMount medium = ScopedMount::Ext4Image(JoinPath(world.base(), "medium.img"), sourceRoot);
    if (!medium.mounted()) GTEST_SKIP() << MountRefusedMessage(medium);
    std::remove(JoinPath(sourceRoot, "lost+found").c_str());
    world.Write(sourceRoot, mirrored);

    RunVanishingAtDeletion([&] { EXPECT_TRUE(medium.Unmount()); });

    ExpectNothingDeleted();
}

// The source root is replaced by another folder of the same name holding a stray file.
TEST_F(VanishedSourceTest, ASourceRootReplacedByAnotherFolderStopsTheDeletion) {
    world.Write(sourceRoot, mirrored);
    const std::string parked = JoinPath(world.MakeFolder("parked"), "E");

    RunVanishingAtDeletion([&] {
        EXPECT_EQ(std::rename(sourceRoot.c_str(), parked.c_str()), 0);
        world.Write(sourceRoot, stray);
    });

    ExpectNothingDeleted();
}

}  // namespace
}  // namespace tv::test
