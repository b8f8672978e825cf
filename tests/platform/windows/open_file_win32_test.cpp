// Open files and folder walks on the Win32 side.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/support/scratch_folder.h"

namespace tv {
namespace {

std::string Contents(File* file) {
    char buffer[256];
    const int64_t got = file->Read(buffer, sizeof buffer);
    return got < 0 ? std::string("<error>") : std::string(buffer, static_cast<size_t>(got));
}

TEST(OpenFileWin32, AnExclusiveWriterKeepsOtherWritersOutAndReadersIn) {
    test::ScratchFolder folder;
    const std::string path = folder.path() + "/day.log";
    File writer;
    ASSERT_TRUE(writer.OpenForAppend(path, /*exclusive=*/true));
    ASSERT_TRUE(writer.AppendWhole("one\r\n", 5));

    File second;
    EXPECT_FALSE(second.OpenForAppend(path, /*exclusive=*/true));
    File reader;
    ASSERT_TRUE(reader.OpenForRead(path, /*exclusive=*/false, /*sequential=*/true));
    ASSERT_TRUE(writer.AppendWhole("two\r\n", 5));
    EXPECT_EQ(Contents(&reader), "one\r\ntwo\r\n");
    EXPECT_EQ(writer.Size(), 10);
}

TEST(OpenFileWin32, SizePositionAndTimesChangeThroughTheOpenFile) {
    test::ScratchFolder folder;
    const std::string path = folder.path() + "/data.bin";
    File file;
    ASSERT_TRUE(file.CreateNewForWrite(path, false, false));
    EXPECT_FALSE(File().CreateNewForWrite(path, false, false));
    EXPECT_EQ(LastFileError(), FileError::Exists);
    ASSERT_TRUE(file.Write("abcdef", 6));
    ASSERT_TRUE(file.SetSize(3));
    ASSERT_TRUE(file.Write("XY", 2));  // the position stays after the cut: a gap of zeros
    const FileTime time{1120210200, 0};
    ASSERT_TRUE(file.SetTimes(time, time));
    ASSERT_TRUE(file.Flush());
    file.Close();

    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, &bytes));
    EXPECT_EQ(bytes, std::string("abc\0\0\0XY", 8));
    FileStatus status;
    ASSERT_TRUE(GetFileStatus(path, &status));
    EXPECT_EQ(status.lastWrite, time);

    File reread;
    ASSERT_TRUE(reread.OpenForRead(path, false, false));
    ASSERT_TRUE(reread.SeekTo(6));
    EXPECT_EQ(Contents(&reread), "XY");
}

TEST(OpenFileWin32, ATemporaryBesideHasTheNameTheCleanUpKnows) {
    test::ScratchFolder folder;
    File file;
    std::string temporary;
    ASSERT_TRUE(file.CreateTemporaryBeside(folder.path() + "/list.txt", &temporary));
    EXPECT_EQ(ContainingFolder(temporary), folder.path());
    EXPECT_TRUE(IsTemporaryBesideName(AfterLastSeparator(temporary))) << temporary;
}

TEST(FolderWalkWin32, ListsFilesAndFoldersWithoutTheDotEntries) {
    test::ScratchFolder folder;
    ASSERT_TRUE(CreateFolder(folder.path() + "/sub"));
    ASSERT_TRUE(WriteFileAtomically(folder.path() + "/a.txt", "12345"));
    ASSERT_TRUE(WriteFileAtomically(folder.path() + "/名前.txt", ""));

    for (const auto entries :
         {DirectoryEnumerator::Entries::Walkable, DirectoryEnumerator::Entries::Every,
          DirectoryEnumerator::Entries::Names}) {
        DirectoryEnumerator walk;
        ASSERT_TRUE(walk.Open(folder.path(), entries));
        std::set<std::string> names;
        FileStatus entry;
        while (walk.Next(&entry)) {
            names.insert(entry.name);
            if (entries == DirectoryEnumerator::Entries::Names) continue;
            EXPECT_EQ(entry.kind, entry.name == "sub" ? EntryKind::Folder : EntryKind::File);
            EXPECT_EQ(entry.IsDirectory(), entry.name == "sub");
            if (entry.name == "a.txt") {
                EXPECT_EQ(entry.size, 5u);
            }
        }
        EXPECT_EQ(names, (std::set<std::string>{"a.txt", "sub", "名前.txt"}));
    }
    DirectoryEnumerator empty;
    ASSERT_TRUE(empty.Open(folder.path() + "/sub"));
    FileStatus entry;
    EXPECT_FALSE(empty.Next(&entry));
}

TEST(FolderWalkWin32, AFileOrAMissingFolderCannotBeWalked) {
    test::ScratchFolder folder;
    ASSERT_TRUE(WriteFileAtomically(folder.path() + "/file", "x"));
    DirectoryEnumerator walk;
    EXPECT_FALSE(walk.Open(folder.path() + "/file"));
    EXPECT_EQ(LastFileError(), FileError::NotAFolder);
    EXPECT_FALSE(walk.Open(folder.path() + "/missing"));
    EXPECT_EQ(LastFileError(), FileError::NotFound);
    EXPECT_FALSE(walk.IsOpen());
}

}  // namespace
}  // namespace tv
