#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scoped_umask.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::FileBytes;
using test::Tree;
using test::TreeFile;

// Windows keeps everyone, administrators included, from writing or deleting a read-only file;
// the tests run as root in CI, where the kernel alone would let every one of these through.
TEST(ReadOnlyFile, IsNeitherWrittenReplacedNorDeleted) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("ro");
    world.Write(folder, {{"locked.txt", TreeFile{"keep", 1000, kAttrReadOnly}},
                         {"other.txt", TreeFile{"other"}}});
    const std::string locked = JoinPath(folder, "locked.txt");
    const std::string other = JoinPath(folder, "other.txt");

    File file;
    EXPECT_FALSE(file.CreateForWrite(locked, false, false));
    EXPECT_FALSE(file.CreateForWrite(locked, true, true));
    EXPECT_FALSE(file.OpenForAppend(locked, false));
    EXPECT_FALSE(file.OpenForReadAppend(locked, false));
    EXPECT_FALSE(DeleteFile(locked));
    EXPECT_FALSE(MoveFile(other, locked));
    EXPECT_FALSE(CopyFile(other, locked));
    EXPECT_FALSE(WriteFileAtomically(locked, "new"));
    EXPECT_EQ(world.Read(folder), (Tree{{"locked.txt", TreeFile{"keep", 1000, kAttrReadOnly}},
                                        {"other.txt", TreeFile{"other"}}}));

    // Reading is fine, and once the attribute is cleared everything is allowed again.
    EXPECT_TRUE(file.OpenForRead(locked, true, true));
    file.Close();
    ASSERT_TRUE(SetFileAttributes(locked, kAttrNormal));
    EXPECT_TRUE(file.OpenForAppend(locked, false));
    file.Close();
    EXPECT_TRUE(DeleteFile(locked));
    EXPECT_FALSE(PathExists(locked));
}

TEST(FileOperations, FoldersAreMadeOneLevelAndRemovedOnlyWhenEmpty) {
    test::TestWorld world;
    const std::string base = world.MakeFolder("ops");
    const std::string a = JoinPath(base, "a");
    EXPECT_FALSE(CreateFolder(JoinPath(a, "b")));
    EXPECT_TRUE(CreateFolder(a));
    EXPECT_FALSE(CreateFolder(a));
    world.Write(a, {{"f.txt", TreeFile{"x"}}});

    EXPECT_FALSE(DeleteFile(a));
    EXPECT_FALSE(RemoveFolder(a));
    EXPECT_TRUE(DeleteFile(JoinPath(a, "f.txt")));
    EXPECT_FALSE(DeleteFile(JoinPath(a, "f.txt")));
    EXPECT_TRUE(RemoveFolder(a));
    EXPECT_FALSE(PathExists(a));
}

TEST(FileOperations, MoveReplacesAFileButNeverAFolder) {
    test::TestWorld world;
    const std::string base = world.MakeFolder("mv");
    world.Write(base, {{"a.txt", TreeFile{"a"}}, {"b.txt", TreeFile{"b"}}, {"d", Tree{}}});
    EXPECT_TRUE(MoveFile(JoinPath(base, "a.txt"), JoinPath(base, "b.txt")));
    EXPECT_FALSE(MoveFile(JoinPath(base, "b.txt"), JoinPath(base, "d")));
    world.Write(base, {{"e", Tree{}}});
    EXPECT_FALSE(MoveFile(JoinPath(base, "e"), JoinPath(base, "d")));
    EXPECT_TRUE(MoveFile(JoinPath(base, "e"), JoinPath(base, "f")));
    EXPECT_FALSE(MoveFile(JoinPath(base, "missing"), JoinPath(base, "g")));
    EXPECT_EQ(world.Read(base), (Tree{{"b.txt", TreeFile{"a"}}, {"d", Tree{}}, {"f", Tree{}}}));
}

TEST(File, ExclusiveOpenIsRefusedWhileAnotherHoldsIt) {
    test::TestWorld world;
    const std::string base = world.MakeFolder("lock");
    const std::string path = JoinPath(base, "day.txt");
    world.Write(base, {{"day.txt", TreeFile{"held data"}}});

    File holder;
    ASSERT_TRUE(holder.OpenForAppend(path, true));
    File other;
    EXPECT_FALSE(other.OpenForRead(path, true, false));
    EXPECT_FALSE(other.OpenForAppend(path, true));
    EXPECT_FALSE(other.OpenForReadAppend(path, true));
    EXPECT_FALSE(other.CreateForWrite(path, true, true));
    EXPECT_EQ(FileBytes(path), "held data") << "a refused create must not truncate";
    EXPECT_TRUE(other.OpenForRead(path, false, false)) << "plain opens are not kept out";

    File moved(std::move(holder));
    EXPECT_FALSE(File().OpenForRead(path, true, false)) << "the lock moves with the file";
    moved.Close();
    EXPECT_TRUE(other.OpenForRead(path, true, true));
}

TEST(File, ReadsFillTheBufferUntilTheEndAndWritesAppend) {
    test::TestWorld world;
    const std::string base = world.MakeFolder("rw");
    const std::string path = JoinPath(base, "data.bin");
    File out;
    ASSERT_TRUE(out.CreateForWrite(path, true, true));
    ASSERT_TRUE(out.Write("0123456789", 10));
    EXPECT_TRUE(out.Flush());
    EXPECT_EQ(out.Size(), 10);
    out.Close();
    ASSERT_TRUE(out.OpenForAppend(path, false));
    ASSERT_TRUE(out.Write("ab", 2));
    out.Close();

    File in;
    ASSERT_TRUE(in.OpenForRead(path, false, true));
    char buffer[5];
    EXPECT_EQ(in.Read(buffer, 5), 5);
    EXPECT_EQ(std::string(buffer, 5), "01234");
    EXPECT_EQ(in.Read(buffer, 5), 5);
    EXPECT_EQ(in.Read(buffer, 5), 2);
    EXPECT_EQ(std::string(buffer, 2), "ab");
    EXPECT_EQ(in.Read(buffer, 5), 0);

    // Reading and appending through one file: the write lands at the end, not where reading is.
    ASSERT_TRUE(in.OpenForReadAppend(path, false));
    EXPECT_EQ(in.Read(buffer, 2), 2);
    ASSERT_TRUE(in.Write("cd", 2));
    in.Close();
    EXPECT_EQ(FileBytes(path), "0123456789abcd");
}

TEST(File, OnlyRegularFilesAreOpenedAndAPipeNeverBlocks) {
    test::TestWorld world;
    const std::string base = world.MakeFolder("special");
    std::vector<std::string> specials = {base};
#ifndef _WIN32
    // Windows keeps no named pipes among the files.
    const std::string pipe = JoinPath(base, "pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    specials.push_back(pipe);
#endif
    File file;
    std::string bytes;
    for (const std::string& path : specials) {
        EXPECT_FALSE(file.OpenForRead(path, false, true)) << path;
        EXPECT_FALSE(file.CreateForWrite(path, false, false)) << path;
        EXPECT_FALSE(file.OpenForAppend(path, false)) << path;
        EXPECT_FALSE(file.OpenForReadAppend(path, false)) << path;
        EXPECT_FALSE(ReadWholeFile(path, &bytes)) << path;
    }
    EXPECT_FALSE(file.OpenForRead(JoinPath(base, "missing"), false, false));
}

TEST(TemporaryBeside, OnlyTheExactFormOfATemporaryFileIsOne) {
    const struct {
        std::string name;
        bool ours;
    } cases[] = {
        {".sch.dat.tvAb3dE9", true},
        {".TessaravineNext.reg.tvZ0yX1w", true},
        {"." + std::string(200, 'n') + ".tv012345", true},
        {"." + std::string(201, 'n') + ".tv012345", false},  // longer than any base made
        {".sch.dat.tvAb3dE", false},                         // one random character short
        {".sch.dat.tvAb3dE9x", false},
        {".sch.dat.tvAb3-E9", false},
        {"sch.dat.tvAb3dE9", false},
        {".tvAb3dE9", false},  // no name before the marker
        {".sch.dat.txAb3dE9", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsTemporaryBesideName(c.name), c.ours) << c.name;
    test::TestWorld world;
    File file;
    std::string made;
    ASSERT_TRUE(file.CreateTemporaryBeside(JoinPath(world.programDir(), "sch.dat"), &made));
    EXPECT_TRUE(IsTemporaryBesideName(AfterLastSeparator(made))) << made;
}

TEST(WholeFile, IsReplacedInOneStepWithTheGivenMode) {
    test::TestWorld world;
    const test::ScopedUmask mask(022);
    const std::string base = world.MakeFolder("whole");
    const std::string path = JoinPath(base, "settings.reg");
    ASSERT_TRUE(WriteFileAtomically(path, std::string("one\0two", 7), FileAccess::OwnerOnly));
    EXPECT_EQ(FileBytes(path), std::string("one\0two", 7));
    // Windows gives a new file its folder's access list, not mode bits.
#ifndef _WIN32
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
#endif

    ASSERT_TRUE(WriteFileAtomically(path, ""));
#ifndef _WIN32
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
#endif
    FileStatus written;
    ASSERT_TRUE(GetFileStatus(path, &written));
    EXPECT_EQ(world.Read(base), (Tree{{"settings.reg", TreeFile{"", written.lastWrite.seconds}}}));

    EXPECT_FALSE(WriteFileAtomically(JoinPath(base, "no/such/folder"), "x"));
}

}  // namespace
}  // namespace tv
