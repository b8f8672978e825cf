#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/full_disk.h"
#include "tests/support/scoped_mount.h"

namespace tv::test {
namespace {

// A source much larger than the buffer, so a copy takes many rounds of the loop; its size is
// not a multiple of the buffer.
const std::string kLarge = [] {
    std::string bytes(300001, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}();

bool HasPartialCopy(const Tree& folder) {
    for (const auto& [name, node] : folder) {
        if (name.rfind(".tvpart-", 0) == 0 && !node.file.content.empty()) return true;
    }
    return false;
}

class InterruptedCopyTest : public EngineTest {
  protected:
    InterruptedCopyTest() {
        job.BufferSize = 4096;
        world.Write(sourceRoot, {{"big.bin", TreeFile{.content = kLarge}}});
        world.Write(destination, previous);
    }

    const Tree previous = {{"big.bin", TreeFile{.content = "previous copy", .mtime = kNow - 60}}};
};

TEST_F(InterruptedCopyTest, AStopMidFileKeepsThePreviousCopy) {
    job.IdleCheck = 1;
    bool sawPartialCopy = false;
    idle.answer = [&] {
        if (HasPartialCopy(world.Read(destination))) {
            sawPartialCopy = true;
            stopper->RequestStop();
        }
        return true;
    };

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Cancelled));

    EXPECT_TRUE(sawPartialCopy);
    EXPECT_EQ(world.Read(destination), previous);
    EXPECT_NE(DayFile().find("\t中止\r\n"), std::string::npos);
}

// A volume that fills up while the copy is written, though it said there was room.
TEST_F(InterruptedCopyTest, AFullDiskKeepsThePreviousCopyAndStopsThePass) {
    const std::string full = world.AddDrive('F', kDriveFixed, 0x5u, "", kLarge.size() * 10);
    ScopedMount volume = ScopedMount::Tmpfs(full, 64);
    if (!volume.mounted()) GTEST_SKIP() << MountRefusedMessage(volume);
    job.Destination = JoinPath(full, "bk");
    world.Write(job.Destination, previous);
    ASSERT_TRUE(FillVolume(full));

    EXPECT_EQ(Run(), static_cast<int>(FileResult::DiskFull));

    EXPECT_EQ(world.Read(job.Destination), previous);
    EXPECT_EQ(outcome.HadError, 1);
}

// A file that would grow past the largest file allowed (here the process's limit, which fails
// the write as a file system's own limit does) is that file's error: the files after it, which
// fit, are still copied, and the earlier copy of it stays.
TEST_F(InterruptedCopyTest, AFileTooLargeToWriteKeepsThePreviousCopyAndThePassGoesOn) {
    const Tree small = {{"a.txt", TreeFile{.content = "a"}},
                        {"b.txt", TreeFile{.content = "b"}},
                        {"sub", {{"c.txt", TreeFile{.content = "c"}}}}};
    world.Write(sourceRoot, small);
    FullDisk sizeLimit(100000);
    ASSERT_TRUE(sizeLimit.applied());
    const int result = Run();
    sizeLimit.Lift();

    // The pass is not ended as by a full disk, wherever the large file comes in it.
    EXPECT_NE(result, static_cast<int>(FileResult::DiskFull));
    Tree expected = small;
    expected["big.bin"] = previous.at("big.bin");
    EXPECT_EQ(world.Read(destination), expected);
    EXPECT_EQ(outcome.Logged.errors, 1u);
    EXPECT_EQ(outcome.Unstorable.tooLarge, 1u);
    EXPECT_EQ(outcome.HadError, 1);
}

TEST_F(InterruptedCopyTest, TooLittleFreeSpaceKeepsThePreviousCopy) {
    const std::string small = world.AddDrive('F', kDriveFixed, 0x5u, "", kLarge.size() - 1);
    job.Destination = JoinPath(small, "bk");
    world.Write(job.Destination, previous);

    EXPECT_EQ(Run(), static_cast<int>(FileResult::DiskFull));

    EXPECT_EQ(world.Read(job.Destination), previous);
}

// A volume that reports 0 of 0 blocks does not know its size; the copy finds out by writing.
TEST_F(InterruptedCopyTest, AVolumeOfUnknownSizeIsWrittenTo) {
    world.AddDrive('F', kDriveFixed, 0x5u);
    DriveInfo unknown = *world.drives().Find('F');
    unknown.reportedCounts = VolumeCounts{0, 0, 4096};
    world.drives().Pin(unknown);
    job.Destination = JoinPath(unknown.root, "bk");
    world.Write(job.Destination, previous);

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));

    EXPECT_EQ(world.Read(job.Destination), (Tree{{"big.bin", TreeFile{.content = kLarge}}}));
}

TEST_F(InterruptedCopyTest, AFileHeldByAnotherIsAnOpenErrorAndThePassGoesOn) {
    world.Write(sourceRoot, {{"sub", {{"other.txt", TreeFile{.content = "o"}}}}});
    File holder;
    ASSERT_TRUE(holder.OpenForRead(Path("big.bin"), true, false));

    Run();

    Tree expected = previous;
    expected["sub"] = Tree{{"other.txt", TreeFile{.content = "o"}}};
    EXPECT_EQ(world.Read(destination), expected);
    EXPECT_EQ(openErrors, 1);
    EXPECT_EQ(outcome.HadError, 1);
}

TEST_F(InterruptedCopyTest, ACompleteCopyIsExactWhateverTheBufferSize) {
    for (const int32_t bufferSize : {1, 4096, 300001, 1 << 20}) {
        job.BufferSize = bufferSize;
        job.ForceOverWrite = 1;
        world.Write(destination, previous);
        Run();
        EXPECT_EQ(world.Read(destination), (Tree{{"big.bin", TreeFile{.content = kLarge}}}))
            << "buffer " << bufferSize;
    }
}

}  // namespace
}  // namespace tv::test
