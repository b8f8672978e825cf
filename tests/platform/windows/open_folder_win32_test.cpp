// A folder held open on Windows: which paths it opens (links below the chosen root are refused),
// that it cannot be renamed away while held, and that its entries are made, read, renamed and
// removed by their names in it, never through a link in a name's place.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_world.h"
#include "tests/support/tree.h"

namespace tv::test {
namespace {

class OpenFolderWin32Test : public ::testing::Test {
  protected:
    // A symbolic link at base/name; the test is skipped where none can be made.
    bool Link(const std::string& target, const std::string& name) {
        return CreateSymbolicLink(target, JoinPath(base, name), FileTime{kDefaultMtime, 0},
                                  FileTime{kDefaultMtime, 0});
    }

    TestWorld world;
    const std::string base = world.MakeFolder("place");
};

constexpr const char* kNoLinks = "this system makes no symbolic links (Wine answers without one)";

struct OpenCase {
    const char* name;
    std::string root;
    std::string folder;
    bool opens;
};

void ExpectOpens(const OpenCase& c) {
    SCOPED_TRACE(c.name);
    OpenFolder folder;
    EXPECT_EQ(folder.OpenBelow(c.root, c.folder), c.opens);
    EXPECT_EQ(folder.IsOpen(), c.opens);
    if (c.opens) {
        EXPECT_EQ(folder.path(), c.folder);
    }
}

TEST_F(OpenFolderWin32Test, OpensFoldersBelowTheRootAndOutsideIt) {
    world.MakeFolder("place/root/a/b");
    world.MakeFolder("place/elsewhere/b");
    PutFileBytes(JoinPath(base, "root/a/file"), "f");
    const std::string root = JoinPath(base, "root");
    const OpenCase cases[] = {
        {"the root itself", root, root, true},
        {"the root with a trailing separator", root + "/", root, true},
        {"two levels below", root, JoinPath(root, "a/b"), true},
        {"outside the root", root, JoinPath(base, "elsewhere/b"), true},
        {"a folder that is not there", root, JoinPath(root, "missing"), false},
        {"a file below the root", root, JoinPath(root, "a/file"), false},
        {"a file outside the root", JoinPath(base, "elsewhere"), JoinPath(root, "a/file"), false},
    };
    for (const OpenCase& c : cases) ExpectOpens(c);
}

// "C:" alone names the drive's current folder: a drive's root is held as its root.
TEST_F(OpenFolderWin32Test, HoldsADrivesRoot) {
    ASSERT_EQ(base[1], ':');
    const std::string drive = base.substr(0, 2);
    FileIdentity expected;
    ASSERT_TRUE(GetEntryIdentity(drive + "/", &expected));
    for (const std::string& root : {drive, drive + "/"}) {
        SCOPED_TRACE(root);
        OpenFolder folder;
        ASSERT_TRUE(folder.OpenBelow(root, root));
        FileIdentity held;
        ASSERT_TRUE(folder.Identity(&held));
        EXPECT_TRUE(held.IsSameFile(expected));
    }
}

TEST_F(OpenFolderWin32Test, RefusesALinkBelowTheRootOrLastOutsideIt) {
    world.MakeFolder("place/root/a/b");
    world.MakeFolder("place/elsewhere/b");
    if (!Link(JoinPath(base, "root"), "root-link")) GTEST_SKIP() << kNoLinks;
    ASSERT_TRUE(Link(JoinPath(base, "elsewhere"), "root/a-link"));
    const std::string root = JoinPath(base, "root");
    const OpenCase cases[] = {
        {"a root that is a link", JoinPath(base, "root-link"), JoinPath(base, "root-link/a"), true},
        {"a link as a level", root, JoinPath(root, "a-link/b"), false},
        {"a link as the last level", root, JoinPath(root, "a-link"), false},
        {"outside the root, a link last", root, JoinPath(base, "root-link"), false},
    };
    for (const OpenCase& c : cases) ExpectOpens(c);
}

TEST_F(OpenFolderWin32Test, WhatIsMadeThroughItIsRenamedInPlace) {
    const std::string real = world.MakeFolder("place/real");
    OpenFolder folder;
    ASSERT_TRUE(folder.OpenBelow(base, real));
    // Held, the folder keeps its name.
    EXPECT_FALSE(MoveFile(real, JoinPath(base, "moved")));
    EXPECT_FALSE(RemoveFolder(real));

    File file;
    // The mode asks for no writing: a new file is writable all the same.
    ASSERT_TRUE(file.CreateNewIn(folder, "part", true, false, 0444));
    ASSERT_TRUE(file.Write("bytes", 5));
    file.Close();
    PutFileBytes(JoinPath(real, "copy"), "old");
    ASSERT_TRUE(folder.Rename("part", "copy"));

    EXPECT_EQ(FileBytes(JoinPath(real, "copy")), "bytes");
    EXPECT_FALSE(PathExists(JoinPath(real, "part")));
    FileIdentity entry;
    EXPECT_FALSE(folder.EntryIdentity("part", &entry));
    ASSERT_TRUE(folder.EntryIdentity("copy", &entry));
    EXPECT_TRUE(entry.IsRegularFile());
    EXPECT_TRUE(entry.IsOwnerWritable());
    FileIdentity itself;
    ASSERT_TRUE(folder.Identity(&itself));
    EXPECT_TRUE(itself.IsFolder());
    FileStatus status;
    ASSERT_TRUE(folder.EntryStatus("copy", &status));
    EXPECT_EQ(status.name, "copy");
    EXPECT_EQ(status.size, 5u);
    EXPECT_EQ(status.node, (NodeIdentity{entry.device, entry.inode}));

    // A new file never takes a name that is there already.
    File again;
    EXPECT_FALSE(again.CreateNewIn(folder, "copy", true, false, 0644));
    EXPECT_EQ(LastFileError(), FileError::Exists);
    folder.Close();
    EXPECT_TRUE(MoveFile(real, JoinPath(base, "moved")));
}

// A copy is renamed into its place while it is still open and written by nobody else: no
// other exclusive open gets it meanwhile.
TEST_F(OpenFolderWin32Test, ANewFileIsRenamedWhileStillOpen) {
    const std::string place = world.MakeFolder("place/held");
    OpenFolder folder;
    ASSERT_TRUE(folder.OpenBelow(base, place));
    File file;
    ASSERT_TRUE(file.CreateNewIn(folder, "part", true, true, 0600));
    ASSERT_TRUE(file.Write("new", 3));
    File other;
    EXPECT_FALSE(other.OpenForReadIn(folder, "part", true, false));
    ASSERT_TRUE(folder.Rename("part", "copy"));
    ASSERT_TRUE(file.Write("er", 2));
    file.Close();
    EXPECT_EQ(world.Read(place).size(), 1u);
    EXPECT_EQ(FileBytes(JoinPath(place, "copy")), "newer");
}

TEST_F(OpenFolderWin32Test, FilesAreReadAndRemovedByTheirNamesInIt) {
    world.Write(
        base,
        {{"held",
          {{"a.txt", TreeFile{.content = "aa"}},
           {"locked.txt", TreeFile{.content = "l", .mtime = kDefaultMtime, .attrs = kAttrReadOnly}},
           {"sub", Tree{}}}}});
    OpenFolder folder;
    ASSERT_TRUE(folder.OpenBelow(base, JoinPath(base, "held")));

    File file;
    FileIdentity opened;
    ASSERT_TRUE(file.OpenForReadIn(folder, "a.txt", true, true, &opened));
    char bytes[8] = {};
    EXPECT_EQ(file.Read(bytes, sizeof bytes), 2);
    EXPECT_EQ(std::string(bytes, 2), "aa");
    FileIdentity entry;
    ASSERT_TRUE(folder.EntryIdentity("a.txt", &entry));
    EXPECT_TRUE(opened.IsSameFile(entry));
    EXPECT_EQ(opened.size, 2u);
    file.Close();
    // While a writer holds the file, it is not opened exclusively.
    File writer;
    ASSERT_TRUE(writer.OpenForAppend(JoinPath(base, "held/a.txt"), false));
    EXPECT_FALSE(file.OpenForReadIn(folder, "a.txt", true, false));
    EXPECT_TRUE(file.OpenForReadIn(folder, "a.txt", false, false));
    file.Close();
    writer.Close();
    EXPECT_FALSE(file.OpenForReadIn(folder, "sub", false, false));
    EXPECT_FALSE(file.OpenForReadIn(folder, "missing", false, false));

    EXPECT_TRUE(folder.RemoveFile("locked.txt"));
    EXPECT_FALSE(folder.RemoveFile("sub"));
    EXPECT_FALSE(folder.RemoveFile("missing"));
    EXPECT_TRUE(folder.RemoveFile("a.txt"));
    EXPECT_EQ(world.Read(JoinPath(base, "held")), (Tree{{"sub", Tree{}}}));
}

// A name is one entry of the folder: one that would reach another folder or a stream is refused.
TEST_F(OpenFolderWin32Test, OnlyPlainNamesAreTaken) {
    world.Write(base, {{"held", {{"sub", {{"inner.txt", TreeFile{.content = "i"}}}}}},
                       {"outer.txt", TreeFile{.content = "o"}}});
    OpenFolder folder;
    ASSERT_TRUE(folder.OpenBelow(base, JoinPath(base, "held")));
    for (const char* name :
         {"sub/inner.txt", "sub\\inner.txt", "..\\outer.txt", "..", "", "sub:stream"}) {
        SCOPED_TRACE(name);
        File file;
        FileIdentity entry;
        EXPECT_FALSE(file.OpenForReadIn(folder, name, false, false));
        EXPECT_FALSE(file.CreateNewIn(folder, name, false, false, 0600));
        EXPECT_FALSE(folder.EntryIdentity(name, &entry));
        EXPECT_FALSE(folder.RemoveFile(name));
        EXPECT_FALSE(folder.Rename("sub", name));
    }
    EXPECT_EQ(world.Read(base),
              (Tree{{"held", {{"sub", {{"inner.txt", TreeFile{.content = "i"}}}}}},
                    {"outer.txt", TreeFile{.content = "o"}}}));
}

// A link in a file's place is looked at, opened for reading and removed as itself.
TEST_F(OpenFolderWin32Test, ALinkInAFilesPlaceIsNeverFollowed) {
    world.Write(base, {{"held", Tree{}}, {"target.txt", TreeFile{.content = "t"}}});
    if (!Link(JoinPath(base, "target.txt"), "held/link.txt")) GTEST_SKIP() << kNoLinks;
    OpenFolder folder;
    ASSERT_TRUE(folder.OpenBelow(base, JoinPath(base, "held")));

    FileIdentity entry;
    ASSERT_TRUE(folder.EntryIdentity("link.txt", &entry));
    EXPECT_TRUE(entry.IsLink());
    FileStatus status;
    ASSERT_TRUE(folder.EntryStatus("link.txt", &status));
    EXPECT_EQ(status.size, 1u);
    File file;
    EXPECT_FALSE(file.OpenForReadIn(folder, "link.txt", false, false));
    EXPECT_FALSE(file.OpenForReadNoFollow(JoinPath(base, "held/link.txt"), false, false));
    EXPECT_FALSE(file.CreateNewIn(folder, "link.txt", false, false, 0600));
    EXPECT_TRUE(folder.RemoveFile("link.txt"));
    EXPECT_EQ(FileBytes(JoinPath(base, "target.txt")), "t");
}

TEST_F(OpenFolderWin32Test, AFileReadWithoutFollowingIsKnownAsOpened) {
    world.Write(base, {{"plain.txt", TreeFile{.content = "p"}}, {"sub", Tree{}}});
    File file;
    FileIdentity opened;
    ASSERT_TRUE(file.OpenForReadNoFollow(JoinPath(base, "plain.txt"), false, true, &opened));
    FileIdentity entry;
    ASSERT_TRUE(GetEntryIdentity(JoinPath(base, "plain.txt"), &entry));
    EXPECT_TRUE(opened.IsSameFile(entry));
    EXPECT_FALSE(file.OpenForReadNoFollow(JoinPath(base, "sub"), false, false));
    EXPECT_FALSE(file.IsOpen());
}

}  // namespace
}  // namespace tv::test
