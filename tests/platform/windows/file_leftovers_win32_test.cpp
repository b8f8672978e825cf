// What the copy asks of a destination and of an open source on the Win32 side: the largest file,
// the syncs of folders and volumes, the stretches of data and the attributes of an open file.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/largest_file.h"
#include "platform/whole_sync.h"
#include "platform/win_constants.h"
#include "tests/support/scratch_folder.h"

namespace tv {
namespace {

std::string Written(const std::string& path, const std::string& bytes) {
    EXPECT_TRUE(WriteFileAtomically(path, bytes)) << path;
    return path;
}

std::string ReadRest(File* file) {
    char buffer[64];
    const int64_t got = file->Read(buffer, sizeof buffer);
    return got < 0 ? std::string("<error>") : std::string(buffer, static_cast<size_t>(got));
}

TEST(FileLeftoversWin32, OnlyAFatVolumeLimitsTheLargestFile) {
    test::ScratchFolder folder;
    EXPECT_EQ(LargestFileIn(folder.path()), std::nullopt);
    EXPECT_EQ(LargestFileIn("C:/"), std::nullopt);
    EXPECT_EQ(LargestFileIn(folder.path() + "/missing"), std::nullopt);
}

TEST(FileLeftoversWin32, FoldersAreSyncedOneByOneAndOnlyWhereTheyExist) {
    test::ScratchFolder folder;
    const std::string file = Written(folder.path() + "/copy.txt", "data");
    EXPECT_FALSE(WholeSyncReaches(folder.path()));
    EXPECT_TRUE(SyncFolder(folder.path()));
    EXPECT_FALSE(SyncFolder(folder.path() + "/missing"));
    EXPECT_FALSE(SyncFolder(file));
    EXPECT_FALSE(SyncFolder(""));
    // A letter no volume has has no volume to flush.
    EXPECT_FALSE(SyncFileSystemOf("Q:/folder"));
    EXPECT_FALSE(SyncFileSystemOf(""));
}

TEST(FileLeftoversWin32, APlainFileIsDataFromAnyOffsetToItsEnd) {
    test::ScratchFolder folder;
    const std::string path = Written(folder.path() + "/plain.bin", "0123456789");
    File file;
    ASSERT_TRUE(file.OpenForRead(path, /*exclusive=*/false, /*sequential=*/false));
    int64_t start = -1, end = -1;
    ASSERT_TRUE(file.NextData(4, &start, &end));
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 10);
    EXPECT_EQ(ReadRest(&file), "456789");  // the position moved to the data
    ASSERT_TRUE(file.NextData(0, &start, &end));
    EXPECT_EQ(ReadRest(&file), "0123456789");
    EXPECT_FALSE(file.NextData(10, &start, &end));
    EXPECT_FALSE(file.NextData(11, &start, &end));
}

TEST(FileLeftoversWin32, AnOpenFileReportsItsRealAttributesWhateverItsName) {
    test::ScratchFolder folder;
    const std::string marked = Written(folder.path() + "/marked.txt", "x");
    const std::string plain = Written(folder.path() + "/plain.txt", "y");
    ASSERT_TRUE(SetFileAttributes(marked, kAttrReadOnly | kAttrHidden));
    // A leading dot hides nothing here: the name given is not looked at.
    const uint32_t userBits = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory;
    for (const auto& [path, expected] :
         {std::pair{marked, kAttrReadOnly | kAttrHidden}, std::pair{plain, 0u}}) {
        File file;
        FileIdentity identity;
        ASSERT_TRUE(file.OpenForRead(path, /*exclusive=*/false, /*sequential=*/false)) << path;
        ASSERT_TRUE(file.GetIdentity(&identity)) << path;
        const uint32_t attributes = file.Attributes(identity, ".dotted");
        EXPECT_EQ(attributes & userBits, expected) << path;
        EXPECT_EQ(attributes, GetFileAttributes(path)) << path;
    }
    ASSERT_TRUE(SetFileAttributes(marked, 0));
}

}  // namespace
}  // namespace tv
