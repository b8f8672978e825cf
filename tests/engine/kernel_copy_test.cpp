#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "tests/engine/engine_fixture.h"
#include "tests/support/spawned_process.h"
#include "tests/support/tree.h"
#include "tests/support/wait_until.h"

namespace tv::test {
namespace {

constexpr size_t kBuffer = kBaseBufferSize;

std::string RandomBytes(size_t size) {
    std::mt19937 random(static_cast<unsigned>(size));
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    return bytes;
}

// Writes bytes at each offset of a file of the given size; the rest is holes.
void WriteSparse(const std::string& path, off_t size, const std::vector<off_t>& dataAt,
                 const std::string& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(ftruncate(fd, size), 0);
    for (const off_t at : dataAt) {
        ASSERT_EQ(pwrite(fd, bytes.data(), bytes.size(), at), static_cast<ssize_t>(bytes.size()));
    }
    close(fd);
}

// The sizes that meet the buffer's edges, and files far longer than one buffer.
const size_t kSizes[] = {1, kBuffer - 1, kBuffer, kBuffer + 1, 3 * kBuffer + 5, 40 * kBuffer};

class KernelCopyTest : public EngineTest {
  protected:
    KernelCopyTest() {
        MakeFileDirJob();
        job.BufferSize = static_cast<int32_t>(kBuffer);
    }

    // Files of every size and a sparse one into folder, each checked after the run.
    void CopyAndCompare(const std::string& folder) {
        for (const size_t size : kSizes) {
            PutFileBytes(JoinPath(folder, std::to_string(size) + ".bin"), RandomBytes(size));
        }
        WriteSparse(JoinPath(folder, "sparse.img"), 64 * kBuffer, {0, 20 * kBuffer + 17},
                    RandomBytes(kBuffer + 3));
        job.Source = folder;
        Run();
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename();
            SCOPED_TRACE(name);
            EXPECT_TRUE(FileBytes(JoinPath(destination, name)) == FileBytes(entry.path()))
                << "the bytes differ";
        }
    }
};

TEST_F(KernelCopyTest, EveryByteArrivesWhateverTheSizeAgainstTheBuffer) {
    CopyAndCompare(world.MakeFolder("data"));
}

// Between two file systems the kernel may refuse to copy: the bytes go through the buffer.
TEST_F(KernelCopyTest, ASourceOnAnotherFileSystemArrivesWholeAsWell) {
    std::string folder = "/dev/shm/tv-kernel-copy-XXXXXX";
    if (!mkdtemp(folder.data())) GTEST_SKIP() << "no /dev/shm for a second file system";
    struct stat there {
    }, here{};
    if (stat(folder.c_str(), &there) != 0 || stat(world.base().c_str(), &here) != 0 ||
        there.st_dev == here.st_dev) {
        std::filesystem::remove_all(folder);
        GTEST_SKIP() << "/dev/shm is no other file system here";
    }
    CopyAndCompare(folder);
    std::filesystem::remove_all(folder);
}

// Byte i of the short-read file system's file.
std::string ShortReadBytes(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) % 256);
    return bytes;
}

// A source whose every read returns a few hundred bytes, whatever was asked for: the copy goes
// on reading until the size it was opened with, and every byte lands where it belongs.
TEST_F(KernelCopyTest, ASourceThatReadsShortArrivesWhole) {
    const std::string mount = world.MakeFolder("short");
    const size_t size = 40 * kBuffer + 5;
    SpawnedProcess fs;
    std::string error;
    ASSERT_TRUE(fs.Start({TV_SHORT_READ_FS_PATH, std::to_string(size), mount},
                         JoinPath(world.base(), "short_read_fs.out"), &error))
        << error;
    const std::string file = JoinPath(mount, "data.bin");
    if (!WaitUntil(std::chrono::seconds(10), [&] { return access(file.c_str(), F_OK) == 0; })) {
        fs.Stop();
        GTEST_SKIP() << "the short-read file system could not be mounted (no /dev/fuse or no "
                        "right to mount here): "
                     << FileBytes(JoinPath(world.base(), "short_read_fs.out"));
    }
    job.Source = mount;

    Run();
    fs.Stop();
    umount2(mount.c_str(), MNT_DETACH);

    EXPECT_TRUE(FileBytes(JoinPath(destination, "data.bin")) == ShortReadBytes(size))
        << "the bytes differ";
    EXPECT_EQ(ReadTree(destination)["data.bin"].file.mtime, kNow);
}

}  // namespace
}  // namespace tv::test
