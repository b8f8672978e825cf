#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::Tree;
using test::TreeFile;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

std::map<std::string, FileStatus> Enumerate(const std::string& folder) {
    std::map<std::string, FileStatus> entries;
    DirectoryEnumerator enumerator;
    EXPECT_TRUE(enumerator.Open(folder)) << folder;
    for (FileStatus entry; enumerator.Next(&entry);) entries[entry.name] = entry;
    return entries;
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& [name, entry] : Enumerate(folder)) names.push_back(name);
    return names;
}

TEST(FileAttributes, FollowTheOwnerWriteBitAndTheLeadingDot) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("attrs");
    struct Case {
        const char* name;
        bool isFolder;
        mode_t mode;
        uint32_t expected;
    } const cases[] = {
        {"plain.txt", false, 0644, kAttrNormal},
        {"locked.txt", false, 0444, kAttrReadOnly},
        {"others-may-write.txt", false, 0466, kAttrReadOnly},
        {".profile", false, 0644, kAttrHidden},
        {".locked", false, 0400, kAttrHidden | kAttrReadOnly},
        {"folder", true, 0755, kAttrDirectory},
        {".folder", true, 0755, kAttrDirectory | kAttrHidden},
        {"locked-folder", true, 0555, kAttrDirectory | kAttrReadOnly},
    };
    for (const Case& c : cases) {
        const std::string path = JoinPath(folder, c.name);
        if (c.isFolder) {
            ASSERT_TRUE(CreateFolder(path)) << c.name;
        } else {
            world.Write(folder, {{c.name, TreeFile{"x"}}});
        }
        ASSERT_EQ(chmod(path.c_str(), c.mode), 0) << c.name;
    }
    const auto listed = Enumerate(folder);
    for (const Case& c : cases) {
        const std::string path = JoinPath(folder, c.name);
        FileStatus status;
        ASSERT_TRUE(GetFileStatus(path, &status)) << c.name;
        EXPECT_EQ(status.attributes, c.expected) << c.name;
        EXPECT_EQ(GetFileAttributes(path), c.expected) << c.name;
        ASSERT_EQ(listed.count(c.name), 1u) << c.name;
        EXPECT_EQ(listed.at(c.name).attributes, c.expected) << c.name;
    }
}

TEST(FileAttributes, ReadOnlyTogglesWriteBitsAndHiddenChangesNothing) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("f");
    const std::string path = JoinPath(folder, "a.txt");
    world.Write(folder, {{"a.txt", TreeFile{"x"}}});
    ASSERT_EQ(chmod(path.c_str(), 0664), 0);

    ASSERT_TRUE(SetFileAttributes(path, kAttrReadOnly | kAttrArchive));
    EXPECT_EQ(ModeOf(path), 0444u);
    EXPECT_EQ(GetFileAttributes(path), kAttrReadOnly);

    // Clearing gives write back to the owner only, never to others.
    ASSERT_TRUE(SetFileAttributes(path, kAttrNormal));
    EXPECT_EQ(ModeOf(path), 0644u);
    EXPECT_EQ(GetFileAttributes(path), kAttrNormal);

    EXPECT_TRUE(SetFileAttributes(path, kAttrHidden | kAttrSystem));
    EXPECT_EQ(ModeOf(path), 0644u);
    EXPECT_EQ(GetFileAttributes(path), kAttrNormal);

    const std::string missing = JoinPath(folder, "missing");
    EXPECT_EQ(GetFileAttributes(missing), kInvalidAttributes);
    EXPECT_FALSE(SetFileAttributes(missing, kAttrReadOnly));
    FileStatus status;
    EXPECT_FALSE(GetFileStatus(missing, &status));
    EXPECT_FALSE(PathExists(missing));
    EXPECT_TRUE(PathExists(path));
    EXPECT_FALSE(IsDirectory(path));
    EXPECT_TRUE(IsDirectory(folder));
}

TEST(FileTimes, KeepNanosecondsAndRefuseTimesTheKernelWouldReadAsSpecial) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("t");
    const std::string path = JoinPath(folder, "a.txt");
    world.Write(folder, {{"a.txt", TreeFile{"12345"}}});
    const FileTime access{1120210200, 123456789};
    const FileTime write{1120210261, 999999999};
    ASSERT_TRUE(SetFileTimes(path, access, write));

    FileStatus status;
    ASSERT_TRUE(GetFileStatus(path, &status));
    EXPECT_EQ(status.name, "a.txt");
    EXPECT_EQ(status.size, 5u);
    EXPECT_EQ(status.lastAccess, access);
    EXPECT_EQ(status.lastWrite, write);
    EXPECT_GT(status.creation.seconds, 0);

    const int32_t utimeNow = (1 << 30) - 1;
    const int32_t utimeOmit = (1 << 30) - 2;
    for (const int32_t bad : {-1, 1000000000, utimeNow, utimeOmit}) {
        EXPECT_FALSE(SetFileTimes(path, FileTime{5, bad}, write)) << bad;
        EXPECT_FALSE(SetFileTimes(path, access, FileTime{5, bad})) << bad;
    }
    ASSERT_TRUE(GetFileStatus(path, &status));
    EXPECT_EQ(status.lastAccess, access);
    EXPECT_EQ(status.lastWrite, write);
}

TEST(DirectoryEnumerator, PassesOverLinksPipesAndNothingElse) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("walk");
    world.Write(folder, {{"file.txt", TreeFile{"x"}}, {"sub", Tree{}}});
    ASSERT_EQ(symlink("..", JoinPath(folder, "loop").c_str()), 0);
    ASSERT_EQ(symlink("file.txt", JoinPath(folder, "file-link").c_str()), 0);
    ASSERT_EQ(symlink("/nowhere", JoinPath(folder, "dangling").c_str()), 0);
    ASSERT_EQ(mkfifo(JoinPath(folder, "pipe").c_str(), 0644), 0);

    EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"file.txt", "sub"}));
    // A link named on its own is looked at through, as opening it would.
    EXPECT_TRUE(IsDirectory(JoinPath(folder, "loop")));
}

TEST(DirectoryEnumerator, AskedForEveryEntryReportsEachWithItsKind) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("every");
    world.Write(folder, {{"file.txt", TreeFile{"x"}}, {"sub", Tree{}}});
    ASSERT_EQ(symlink("sub", JoinPath(folder, "link").c_str()), 0);
    ASSERT_EQ(mkfifo(JoinPath(folder, "pipe").c_str(), 0644), 0);

    std::map<std::string, EntryKind> kinds;
    DirectoryEnumerator enumerator;
    ASSERT_TRUE(enumerator.Open(folder, DirectoryEnumerator::Entries::Every));
    for (FileStatus entry; enumerator.Next(&entry);) kinds[entry.name] = entry.kind;
    EXPECT_EQ(kinds, (std::map<std::string, EntryKind>{{"file.txt", EntryKind::File},
                                                       {"link", EntryKind::Link},
                                                       {"pipe", EntryKind::Special},
                                                       {"sub", EntryKind::Folder}}));

    struct stat root {};
    struct stat proc {};
    if (stat("/", &root) == 0 && stat("/proc", &proc) == 0 && root.st_dev != proc.st_dev) {
        ASSERT_TRUE(enumerator.Open("/", DirectoryEnumerator::Entries::Every));
        for (FileStatus entry; enumerator.Next(&entry);) {
            if (entry.name == "proc") {
                EXPECT_EQ(entry.kind, EntryKind::OtherMount);
            }
        }
    }
}

TEST(DirectoryEnumerator, AskedForNamesReportsEveryEntryWithoutLookingAtIt) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("names");
    world.Write(folder, {{"file.txt", TreeFile{"x"}}, {"sub", Tree{}}});
    ASSERT_EQ(symlink("/nowhere", JoinPath(folder, "dangling").c_str()), 0);
    ASSERT_EQ(mkfifo(JoinPath(folder, "pipe").c_str(), 0644), 0);

    std::vector<std::string> names;
    DirectoryEnumerator enumerator;
    ASSERT_TRUE(enumerator.Open(folder, DirectoryEnumerator::Entries::Names));
    for (FileStatus entry; enumerator.Next(&entry);) {
        names.push_back(entry.name);
        EXPECT_EQ(entry.size, 0u) << entry.name;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"dangling", "file.txt", "pipe", "sub"}));
}

TEST(DirectoryEnumerator, DoesNotEnterAnotherMount) {
    struct stat root {};
    struct stat proc {};
    if (stat("/", &root) != 0 || stat("/proc", &proc) != 0 || root.st_dev == proc.st_dev) {
        GTEST_SKIP() << "/proc is not a mount of its own here";
    }
    const auto names = NamesIn("/");
    EXPECT_EQ(std::count(names.begin(), names.end(), "proc"), 0);
}

}  // namespace
}  // namespace tv
