#include "engine/durability/leftover_copies.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/held_lock.h"
#include "tests/support/recycle_bin.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content, int64_t mtime = kNow) {
    return TreeFile{.content = content, .mtime = mtime};
}

// Temporary files as a killed run leaves them: in the destination root, in a subfolder whose
// files all need no copy now, and one made read-only just before its rename.
class LeftoverCopiesTest : public EngineTest {
  protected:
    LeftoverCopiesTest() {
        MakeFileDirJob();
        world.Write(job.Source,
                    {{"a.txt", Text("a")},
                     {"sub", {{"b.txt", Text("b")}, {"deep", {{"c.txt", Text("c")}}}}}});
        WriteDestinationWithLeftovers();
    }

    void WriteDestinationWithLeftovers() {
        world.Write(
            destination,
            {{"a.txt", Text("a")},
             {".tvpart-00000000000000a1", Text("half of a")},
             {"sub",
              {{"b.txt", Text("b")},
               {".tvpart-00000000000000b2", Text("half of b")},
               {"deep", {{"c.txt", Text("c")}, {".tvpart-00000000000000c3", Text("ro")}}}}}});
        SetFileAttributes(Copy("sub/deep/.tvpart-00000000000000c3"), kAttrReadOnly);
    }

    const Tree copied = {{"a.txt", Text("a")},
                         {"sub", {{"b.txt", Text("b")}, {"deep", {{"c.txt", Text("c")}}}}}};
};

TEST_F(LeftoverCopiesTest, ACompletedRunRemovesEveryLeftoverOfTheFoldersItVisited) {
    for (const uint8_t mirror : {0, 1}) {
        SCOPED_TRACE(mirror ? "mirror" : "copy");
        job.ForceMirror = mirror;
        WriteDestinationWithLeftovers();

        Run();

        EXPECT_EQ(world.Read(destination), copied);
        EXPECT_EQ(outcome.HadError, 0);
        EXPECT_EQ(world.Read(world.TrashFiles()), Tree{});  // removed, not trashed
    }
}

TEST_F(LeftoverCopiesTest, ATemporaryFileThatACopyStillWritesIsLeftAlone) {
    const HeldLock writing(Copy("sub/.tvpart-00000000000000b2"));
    ASSERT_TRUE(writing.locked());

    Run();

    EXPECT_TRUE(PathExists(Copy("sub/.tvpart-00000000000000b2")));
    EXPECT_FALSE(PathExists(Copy(".tvpart-00000000000000a1")));
}

TEST_F(LeftoverCopiesTest, AStoppedRunLeavesTheSweepForTheNextOne) {
    job.IdleCheck = 1;
    idle.answer = [&] {
        stopper->RequestStop();
        return true;
    };

    Run();

    EXPECT_TRUE(PathExists(Copy("sub/.tvpart-00000000000000b2")));
    // Where the run asks which names the destination refuses (always on Windows, on FAT media
    // elsewhere), it clears the destination's own folder first, before anything can stop it.
#ifndef _WIN32
    EXPECT_TRUE(PathExists(Copy(".tvpart-00000000000000a1")));
#endif
}

// Steps the test along with the run's copies.
class SteppingSink : public RecordingSink {
  public:
    void Step() override {
        RecordingSink::Step();
        if (onStep) onStep();
    }
    std::function<void()> onStep;
};

TEST_F(LeftoverCopiesTest, AFolderTheRunMadeIsSweptOnlyByTheNextRun) {
    world.Write(job.Source, {{"new", {{"n.txt", Text("n")}}}});
    const std::string leftover = Copy("new/.tvpart-00000000000000d4");
    SteppingSink sink;
    targets.window = &sink;
    // Whatever else writes into a folder while the run fills it, the run itself leaves only
    // its own copies there and need not look for leftovers of others.
    sink.onStep = [&] {
        if (IsDirectory(Copy("new")) && !PathExists(leftover)) PutFileBytes(leftover, "other");
    };

    Run();

    EXPECT_TRUE(PathExists(leftover));
    EXPECT_FALSE(PathExists(Copy(".tvpart-00000000000000a1")));

    sink.onStep = nullptr;
    Run();

    EXPECT_FALSE(PathExists(leftover));
}

// Killed runs never get to their end; the next run that copies into a folder clears it first,
// however that run ends.
TEST_F(LeftoverCopiesTest, LeftoversOfKilledRunsAreClearedBeforeTheNextCopyIntoTheirFolder) {
    for (int killed = 1; killed <= 5; ++killed) {
        PutFileBytes(Copy(".tvpart-00000000000000f" + std::to_string(killed)), "half");
    }
    const std::string writing = Copy(".tvpart-00000000000000fe");
    PutFileBytes(writing, "written by another copy");
    const HeldLock held(writing);
    ASSERT_TRUE(held.locked());
    world.Write(job.Source, {{"new.txt", Text("new")}, {"new2.txt", Text("new2")}});
    SteppingSink sink;
    targets.window = &sink;
    sink.onStep = [&] { stopper->RequestStop(); };

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Cancelled));

    Tree root = world.Read(destination);
    EXPECT_EQ(root.count(".tvpart-00000000000000a1"), 0u);
    for (int killed = 1; killed <= 5; ++killed) {
        EXPECT_EQ(root.count(".tvpart-00000000000000f" + std::to_string(killed)), 0u) << killed;
    }
    EXPECT_EQ(root.count(".tvpart-00000000000000fe"), 1u);
    // The run ended before it could clear the folders it copied nothing into.
    EXPECT_TRUE(PathExists(Copy("sub/.tvpart-00000000000000b2")));
}

TEST(LeftoverCopy, OnlyTheExactFormOfATemporaryCopyIsOurs) {
    const struct {
        const char* name;
        bool ours;
    } cases[] = {
        {".tvpart-0123456789abcdef", true},
        {".tvpart-0123456789abcde", false},    // one digit short
        {".tvpart-0123456789abcdef0", false},  // one digit more
        {".tvpart-0123456789ABCDEF", false},   // never made in upper case
        {".tvpart-0123456789abcdeg", false},
        {".tvpart-notes", false},
        {".tvpart-keep.txt", false},
        {".tvpart-", false},
        {"tvpart-0123456789abcdef", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsTemporaryCopyName(c.name), c.ours) << c.name;
    const std::string made = AfterLastSeparator(TemporaryCopyPathBeside("/d/a.txt"));
    EXPECT_TRUE(IsTemporaryCopyName(made)) << made;
}

TEST(LeftoverCopy, OnlyUnlockedTemporaryCopyFilesAreRemoved) {
    TestWorld world;
    const std::string folder = JoinPath(world.programDir(), "parts");
    world.Write(folder, {{".tvpart-00000000000000e5", Text("x")},
                         {".tvpart-notes", Text("y")},
                         {"user.txt", Text("z")}});
    EXPECT_TRUE(RemoveLeftoverCopy(JoinPath(folder, ".tvpart-00000000000000e5")));
    EXPECT_FALSE(RemoveLeftoverCopy(JoinPath(folder, ".tvpart-notes")));
    EXPECT_FALSE(RemoveLeftoverCopy(JoinPath(folder, "user.txt")));
    EXPECT_EQ(world.Read(folder), (Tree{{".tvpart-notes", Text("y")}, {"user.txt", Text("z")}}));
}

// Files of the user's own that begin like a temporary copy are backed up, and trashed as
// extras, like any other file.
TEST_F(LeftoverCopiesTest, AUsersFileThatOnlyBeginsLikeATemporaryCopyIsTheUsers) {
    job.ForceMirror = 1;
    world.Write(job.Source, {{".tvpart-notes", Text("my notes")}});
    world.Write(destination, {{".tvpart-keep.txt", Text("kept by the user")}});
#ifdef _WIN32
    const int64_t binnedBefore = ItemsInRecycleBin();
#endif

    Run();

    Tree expected = copied;
    expected[".tvpart-notes"] = Text("my notes");
    EXPECT_EQ(world.Read(destination), expected);
#ifdef _WIN32
    EXPECT_EQ(ItemsInRecycleBin(), binnedBefore + 1);
#else
    EXPECT_EQ(world.Read(world.TrashFiles()),
              (Tree{{".tvpart-keep.txt", Text("kept by the user")}}));
#endif
    EXPECT_EQ(outcome.HadError, 0);
}

}  // namespace
}  // namespace tv::test
