#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/engine/engine_fixture.h"

namespace tv::test {
namespace {

constexpr off_t kMiB = 1 << 20;
constexpr off_t kSparseSize = 64 * kMiB;

// A file of kSparseSize bytes with data only at the given offsets (64 KB each).
void WriteSparseFile(const std::string& path, const std::vector<off_t>& dataAt) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(ftruncate(fd, kSparseSize), 0);
    const std::string block(64 * 1024, 'd');
    for (const off_t at : dataAt) {
        ASSERT_EQ(pwrite(fd, block.data(), block.size(), at), static_cast<ssize_t>(block.size()));
    }
    close(fd);
}

blkcnt_t BlocksOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_blocks;
}

class SparseCopyTest : public EngineTest {};

TEST_F(SparseCopyTest, TheHolesOfASparseFileStayHolesInItsCopy) {
    const struct {
        const char* name;
        std::vector<off_t> dataAt;
    } cases[] = {
        {"data at both ends", {0, 10 * kMiB + 4096, kSparseSize - 64 * 1024}},
        {"a hole at the end", {3 * kMiB, 40 * kMiB}},
        {"nothing but a hole", {}},
    };
    job.BufferSize = 1 << 20;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string source = Path(std::string(c.name) + ".img");
        world.Write(sourceRoot, {});
        WriteSparseFile(source, c.dataAt);
        if (BlocksOf(source) * 512 >= kSparseSize / 2) {
            GTEST_SKIP() << "the test folder's file system keeps no holes";
        }

        Run();

        const std::string copy = Copy(std::string(c.name) + ".img");
        EXPECT_TRUE(FileBytes(copy) == FileBytes(source)) << "the bytes differ";
        EXPECT_LE(BlocksOf(copy), BlocksOf(source));
    }
}

}  // namespace
}  // namespace tv::test
