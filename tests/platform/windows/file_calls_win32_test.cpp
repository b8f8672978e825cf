// The file calls by path on the Win32 side: attributes, times, identity, renames, copies and
// whole files, long and Japanese names included.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/win_constants.h"
#include "platform/windows/win32.h"
#include "tests/support/scratch_folder.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

std::string Written(const std::string& path, const std::string& bytes) {
    EXPECT_TRUE(WriteFileAtomically(path, bytes)) << path;
    return path;
}

std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, &bytes)) << path;
    return bytes;
}

size_t EntriesIn(const std::string& folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(fs::u8path(folder))) ++count;
    return count;
}

TEST(FileCallsWin32, AReadOnlyFileIsNeitherDeletedNorReplacedUntilItsAttributeGoes) {
    test::ScratchFolder folder;
    const std::string file = Written(folder.path() + "/kept.txt", "old");
    ASSERT_TRUE(SetFileAttributes(file, kAttrReadOnly | kAttrHidden));
    EXPECT_EQ(GetFileAttributes(file) & (kAttrReadOnly | kAttrHidden), kAttrReadOnly | kAttrHidden);

    EXPECT_FALSE(DeleteFile(file));
    EXPECT_EQ(LastFileError(), FileError::AccessDenied);
    EXPECT_FALSE(WriteFileAtomically(file, "new"));
    EXPECT_FALSE(CopyFile(Written(folder.path() + "/other.txt", "other"), file));
    EXPECT_EQ(Read(file), "old");
    EXPECT_EQ(EntriesIn(folder.path()), 2u);  // no temporary left behind

    ASSERT_TRUE(SetFileAttributes(file, 0));
    EXPECT_EQ(GetFileAttributes(file) & (kAttrReadOnly | kAttrHidden), 0u);
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(PathExists(file));
    EXPECT_EQ(GetFileAttributes(file), kInvalidAttributes);
}

TEST(FileCallsWin32, TimesKeepTheirHundredNanosecondsOnBothSidesOf1970) {
    test::ScratchFolder folder;
    const std::string file = Written(folder.path() + "/dated.txt", "x");
    const FileTime cases[] = {{1120210200, 123456789}, {-86400 * 365, 500}, {0, 0}};
    for (const FileTime& time : cases) {
        SCOPED_TRACE(time.seconds);
        ASSERT_TRUE(SetFileTimes(file, time, time));
        FileStatus status;
        ASSERT_TRUE(GetFileStatus(file, &status));
        const FileTime kept{time.seconds, time.nanoseconds / 100 * 100};
        EXPECT_EQ(status.lastWrite, kept);
        EXPECT_EQ(status.lastAccess, kept);
    }
}

TEST(FileCallsWin32, TwoNamesOfOneFileAreOneIdentityAndAFolderIsAFolder) {
    test::ScratchFolder folder;
    const std::string file = Written(folder.path() + "/a.txt", "abc");
    const std::string second = folder.path() + "/b.txt";
    ASSERT_TRUE(CreateHardLinkW(fs::u8path(second).c_str(), fs::u8path(file).c_str(), nullptr));
    const std::string other = Written(folder.path() + "/c.txt", "abc");

    FileIdentity ofFile, ofSecond, ofOther, ofFolder;
    ASSERT_TRUE(GetEntryIdentity(file, &ofFile));
    ASSERT_TRUE(GetEntryIdentity(second, &ofSecond));
    ASSERT_TRUE(GetEntryIdentity(other, &ofOther));
    ASSERT_TRUE(GetEntryIdentity(folder.path(), &ofFolder));
    EXPECT_TRUE(ofFile.IsSameFile(ofSecond));
    EXPECT_TRUE(ofFile.IsUnchanged(ofSecond));
    EXPECT_FALSE(ofFile.IsSameFile(ofOther));
    EXPECT_TRUE(ofFile.IsRegularFile());
    EXPECT_EQ(ofFile.size, 3u);
    EXPECT_TRUE(ofFolder.IsFolder());
    EXPECT_FALSE(ofFolder.IsRegularFile());

    FileStatus status;
    ASSERT_TRUE(GetFileStatus(file, &status));
    EXPECT_EQ(status.name, "a.txt");
    EXPECT_EQ(status.kind, EntryKind::File);
    EXPECT_EQ(status.node, (NodeIdentity{ofFile.device, ofFile.inode}));
    uint64_t fileSystem = 0, folderSystem = 0;
    ASSERT_TRUE(FileSystemOf(file, &fileSystem));
    ASSERT_TRUE(FileSystemOf(folder.path(), &folderSystem));
    EXPECT_EQ(fileSystem, folderSystem);
}

TEST(FileCallsWin32, RenamesReplaceOnlyWhenAskedTo) {
    test::ScratchFolder folder;
    const std::string from = Written(folder.path() + "/from.txt", "from");
    const std::string to = Written(folder.path() + "/to.txt", "to");

    EXPECT_FALSE(MoveFileIfFree(from, to));
    EXPECT_EQ(LastFileError(), FileError::Exists);
    EXPECT_EQ(Read(to), "to");

    EXPECT_TRUE(MoveFile(from, to));
    EXPECT_EQ(Read(to), "from");
    EXPECT_FALSE(PathExists(from));
    EXPECT_TRUE(MoveFileIfFree(to, from));
}

TEST(FileCallsWin32, ACopyHasTheBytesTimesAndAttributesOfItsSource) {
    test::ScratchFolder folder;
    const std::string source = Written(folder.path() + "/source.txt", "copied bytes");
    const FileTime time{1120210200, 0};
    ASSERT_TRUE(SetFileTimes(source, time, time));
    ASSERT_TRUE(SetFileAttributes(source, kAttrHidden));
    const std::string destination = Written(folder.path() + "/destination.txt", "older");

    ASSERT_TRUE(CopyFile(source, destination));
    EXPECT_EQ(Read(destination), "copied bytes");
    FileStatus status;
    ASSERT_TRUE(GetFileStatus(destination, &status));
    EXPECT_EQ(status.lastWrite, time);
    EXPECT_EQ(status.attributes & kAttrHidden, kAttrHidden);
    EXPECT_EQ(EntriesIn(folder.path()), 2u);
}

TEST(FileCallsWin32, FoldersAndFilesTakeLongAndJapaneseNames) {
    test::ScratchFolder folder;
    std::string deep = folder.path();
    for (int level = 0; level < 6; ++level) {
        deep += "/" + std::string(60, static_cast<char>('a' + level));
        ASSERT_TRUE(CreateFolder(deep)) << deep.size();
    }
    EXPECT_FALSE(CreateFolder(deep));
    ASSERT_GT(deep.size(), 300u);
    const std::string file = Written(deep + "/日本語の名前.txt", "長い");
    EXPECT_EQ(Read(file), "長い");
    EXPECT_TRUE(IsDirectory(deep));
    EXPECT_FALSE(IsDirectory(file));

    EXPECT_FALSE(RemoveFolder(deep));
    EXPECT_EQ(LastFileError(), FileError::NotEmpty);
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_TRUE(RemoveFolder(deep));
}

TEST(FileCallsWin32, AResolvedPathIsPlainAndAbsolute) {
    test::ScratchFolder folder;
    const std::string file = Written(folder.path() + "/target.txt", "x");
    ASSERT_TRUE(CreateFolder(folder.path() + "/sub"));
    EXPECT_EQ(ResolvedPath(folder.path() + "/sub/../target.txt"), ResolvedPath(file));
    EXPECT_EQ(ResolvedPath(file).find('\\'), std::string::npos);
    EXPECT_EQ(ResolvedPath(folder.path() + "/missing"), folder.path() + "/missing");
}

}  // namespace
}  // namespace tv
