#include "engine/relocation/relocation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "tests/engine/worker_fixture.h"
#include "tests/support/held_lock.h"
#include "tests/support/recycle_bin.h"
#include "tests/support/scoped_time_zone.h"

namespace tv::test {
namespace {

constexpr int64_t kOlder = kNow - 86400;

TreeFile Text(const std::string& content) { return TreeFile{.content = content, .mtime = kOlder}; }

// A removable drive's backup folder on D: moved to F:, which may declare little free space.
class RelocationTest : public ::testing::Test {
  protected:
    RelocationTest() {
        world.AddDrive('D', kDriveFixed, 0x1234u);
        oldFolder = JoinPath(world.root('D'), "bk/E");
        request.OldFolder = oldFolder;
        request.NewFolder = JoinPath(world.base(), "backup/E");
        observer.runner = &runner;
        runner.SetObserver(&observer);
    }

    void UseDestinationDrive(std::optional<uint64_t> freeBytes = std::nullopt) {
        world.AddDrive('F', kDriveFixed, 0x5678u, "", freeBytes);
        request.NewFolder = JoinPath(world.root('F'), "backup/E");
    }

    int Run() { return runner.RunRelocation(request, "リムバブルメディア保存先の移動"); }
    std::string Old(const std::string& relative) const { return JoinPath(oldFolder, relative); }

    ScopedTimeZone zone{"UTC"};
    TestWorld world;
    FakeClock clock{kNow};
    ScriptedPrompts prompts;
    HeadlessCopyRunner runner{clock, world.drives(), world.locations(), prompts, nullptr};
    StoppingObserver observer;
    RelocationRequest request;
    std::string oldFolder;
};

const Tree kBackup = {
    {"a.txt", Text("a")},
    {"sub", {{"b.txt", Text("b")}, {"deep", {{"c.bin", Text(std::string(70000, 'c'))}}}}},
    {"empty", {}}};

TEST_F(RelocationTest, CopyKeepsTheOldFolderAndGivesTheNewOneItsFileAndFolderTimes) {
    UseDestinationDrive();
    request.RemChacheSize = 0;  // 32 KB: the large file takes several buffers
    world.Write(oldFolder, kBackup);
    const FileTime folderTime{kOlder - 3600, 0};
    SetFileTimes(Old("sub"), folderTime, folderTime);

    EXPECT_EQ(Run(), 0);

    EXPECT_EQ(world.Read(request.NewFolder), kBackup);
    EXPECT_EQ(world.Read(oldFolder), kBackup);
    FileStatus copied;
    ASSERT_TRUE(GetFileStatus(JoinPath(request.NewFolder, "sub"), &copied));
    EXPECT_EQ(copied.lastWrite.seconds, folderTime.seconds);
    EXPECT_EQ(observer.events.front(), PhaseEvent(Phase::Counting));
    EXPECT_TRUE(observer.Saw(LinesEvent(kLineCounting, kLinePleaseWait)));
    EXPECT_TRUE(observer.Saw("total 3"));
    EXPECT_TRUE(observer.Saw(LinesEvent(Old("a.txt"), JoinPath(request.NewFolder, "a.txt"))));
    EXPECT_EQ(observer.events.back(), "ended 0");
}

TEST_F(RelocationTest, MoveSendsTheOldEntriesToTheTrashAndKeepsTheOldFolder) {
    UseDestinationDrive();
    request.Move = true;
    world.Write(oldFolder, kBackup);
#ifdef _WIN32
    const int64_t binnedBefore = ItemsInRecycleBin();
#endif

    EXPECT_EQ(Run(), 0);

    EXPECT_EQ(world.Read(request.NewFolder), kBackup);
    EXPECT_TRUE(IsDirectory(oldFolder));
    EXPECT_EQ(world.Read(oldFolder), Tree{});
#ifdef _WIN32
    EXPECT_EQ(ItemsInRecycleBin(), binnedBefore + 3);  // a.txt, b.txt and c.bin
#else
    const Tree trash = world.Read(world.TrashFiles());
    EXPECT_TRUE(trash.count("a.txt") && trash.count("b.txt") && trash.count("c.bin")) << trash;
#endif
    EXPECT_TRUE(observer.Saw(LinesEvent("", "")));
}

TEST_F(RelocationTest, ExcludedFoldersAreNotCopiedAndAnExcludedOldFolderShowsItsFilesPassedOver) {
    UseDestinationDrive();
    const StringList excluded = {oldFolder, Old("skip")};
    request.ExcludedFolders = &excluded;
    world.Write(
        oldFolder,
        {{"a.txt", Text("a")}, {"skip", {{"s.txt", Text("s")}}}, {"sub", {{"b.txt", Text("b")}}}});

    EXPECT_EQ(Run(), 0);

    EXPECT_EQ(world.Read(request.NewFolder), (Tree{{"sub", {{"b.txt", Text("b")}}}}));
    EXPECT_TRUE(observer.Saw(LinesEvent(Old("a.txt"), "転送不要フォルダのためコピーを行いません")));
    EXPECT_TRUE(observer.Saw("total 2"));
}

TEST_F(RelocationTest, AMoveKeepsWhatItPassedOverForAnExcludedFolder) {
    UseDestinationDrive();
    request.Move = true;
    const StringList excluded = {Old("skip"), Old("sub/held")};
    request.ExcludedFolders = &excluded;
    const Tree passedOver = {{"skip", {{"s.txt", Text("s")}}},
                             {"sub", {{"held", {{"h.txt", Text("h")}}}}}};
    world.Write(oldFolder, passedOver);
    world.Write(oldFolder, {{"a.txt", Text("a")}, {"sub", {{"b.txt", Text("b")}}}});

    EXPECT_EQ(Run(), 0);

    EXPECT_EQ(world.Read(request.NewFolder),
              (Tree{{"a.txt", Text("a")}, {"sub", {{"b.txt", Text("b")}}}}));
    EXPECT_EQ(world.Read(oldFolder), passedOver) << "only what has a copy goes to the trash";

    // An excluded old folder passes its own files over: a move keeps them, and moves the rest.
    const StringList oldExcluded = {oldFolder};
    request.ExcludedFolders = &oldExcluded;
    request.NewFolder = JoinPath(world.root('F'), "backup/E2");
    world.Write(oldFolder, {{"c.txt", Text("c")}});

    EXPECT_EQ(Run(), 0);

    EXPECT_EQ(world.Read(oldFolder), (Tree{{"c.txt", Text("c")}}));
}

TEST_F(RelocationTest, AStopButtonEndsTheRunAndAMoveKeepsTheOldFolder) {
    UseDestinationDrive();
    request.Move = true;
    world.Write(oldFolder, kBackup);
    observer.StopAt("step", kIdStopAndNext);  // shown, not yet copied

    EXPECT_EQ(Run(), kIdStopAndNext);

    EXPECT_EQ(world.Read(oldFolder), kBackup);
    const Tree copied = world.Read(request.NewFolder);
    for (const char* name : {"a.txt", "b.txt", "c.bin"}) {
        EXPECT_FALSE(copied.count(name)) << copied;
    }
}

// A clock whose first millisecond pause, the one after a file's copy is complete, comes with a
// press of the stop button: the file finished while the stop was pending.
class PressingClock : public FakeClock {
  public:
    using FakeClock::FakeClock;
    void SleepMs(unsigned milliseconds) const override {
        if (milliseconds == 1 && runner != nullptr) {
            runner->PressStop(kIdStopAll);
            runner = nullptr;
        }
        FakeClock::SleepMs(milliseconds);
    }
    mutable HeadlessCopyRunner* runner = nullptr;
};

TEST_F(RelocationTest, AFileFinishedWhileAStopWasPendingIsRemovedFromTheNewFolder) {
    UseDestinationDrive();
    PressingClock pressing{kNow};
    HeadlessCopyRunner pressed{pressing, world.drives(), world.locations(), prompts, nullptr};
    pressing.runner = &pressed;
    request.RemLoadControl = 0;
    world.Write(oldFolder, {{"only.txt", Text("finished")}});

    EXPECT_EQ(pressed.RunRelocation(request, ""), kIdStopAll);

    EXPECT_EQ(pressing.runner, nullptr) << "the stop was never pressed";
    EXPECT_EQ(world.Read(request.NewFolder), Tree{});
}

TEST_F(RelocationTest, AFullDestinationIsReportedAndEndsTheRunWithOne) {
    UseDestinationDrive(10);
    request.Move = true;
    world.Write(oldFolder, {{"big.txt", Text(std::string(100, 'x'))}});
    prompts.Expect("容量不足", "", kMbOk, kIdOk);

    EXPECT_EQ(Run(), kResultDestinationFull);

    EXPECT_EQ(world.Read(request.NewFolder), Tree{});
    EXPECT_EQ(world.Read(oldFolder), (Tree{{"big.txt", Text(std::string(100, 'x'))}}));
}

TEST_F(RelocationTest, AnOpenErrorIsReportedTheRunGoesOnAndAMoveKeepsTheOldFolder) {
    UseDestinationDrive();
    request.Move = true;
    world.Write(oldFolder, {{"locked.txt", Text("l")}, {"free.txt", Text("f")}});
    prompts.Expect("オープンエラー", "", kMbOk, kIdOk);
    {
        const HeldLock holder(Old("locked.txt"));
        ASSERT_TRUE(holder.locked());

        EXPECT_EQ(Run(), 0);
    }

    EXPECT_EQ(world.Read(request.NewFolder), (Tree{{"free.txt", Text("f")}}));
    EXPECT_EQ(world.Read(oldFolder), (Tree{{"locked.txt", Text("l")}, {"free.txt", Text("f")}}));
}

TEST_F(RelocationTest, ANewFolderThatCannotBeMadeIsOneLineOfTheFlatLog) {
    world.Write(oldFolder, {{"a.txt", Text("a")}});
    const std::string blocker = JoinPath(world.base(), "blocker");
    ASSERT_TRUE(WriteFileAtomically(blocker, "a file where a folder should be"));
    request.NewFolder = JoinPath(blocker, "保存先/");
    LogRecord fixed;
    fixed.unit = "RemovableMedia";
    fixed.recognition = " ";
    fixed.drive = "E";
    fixed.mode = "手動";
    fixed.work = "ミラーリング";
    request.LogRecord = &fixed;

    EXPECT_EQ(Run(), 0);

    const std::string expected =
        "2005/07/01\tRemovableMedia\t \tE\t手動\tミラーリング\tフォルダ作成\t"
        "保存先\t" +
        oldFolder + "\t" + blocker + "/保存先\t09:30:00\tエラー\r\n";
    EXPECT_EQ(FileBytes(JoinPath(world.programDir(), "log.txt")), expected);
    EXPECT_EQ(world.Read(oldFolder), (Tree{{"a.txt", Text("a")}}));
}

TEST_F(RelocationTest, NothingHappensWithoutBothFoldersOrWithTheNewFolderInsideTheOld) {
    world.Write(oldFolder, kBackup);
    request.Move = true;
    for (const std::string& newFolder :
         {std::string(), oldFolder, oldFolder + "/", Old("sub/inner"), Old("sub/.."),
          Old("./sub/../inner"), JoinPath(world.root('D'), "bk/x/../E/inner")}) {
        SCOPED_TRACE(newFolder);
        request.NewFolder = newFolder;
        EXPECT_EQ(Run(), 0);
        EXPECT_EQ(world.Read(oldFolder), kBackup);
    }
    request.OldFolder.clear();
    request.NewFolder = JoinPath(world.base(), "elsewhere");
    EXPECT_EQ(Run(), 0);
    EXPECT_FALSE(PathExists(request.NewFolder));
}

}  // namespace
}  // namespace tv::test
