// The folder walk and node identities as every system has them: listings, folders opened below
// and above one held open, and the links on the way to an entry.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/node_identity.h"
#include "platform/paths.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::Tree;
using test::TreeFile;

constexpr const char* kNoLinks =
    "this system makes no symbolic links here (Wine answers the call without making one)";

std::map<std::string, FileStatus> Listed(DirectoryEnumerator* enumerator) {
    std::map<std::string, FileStatus> entries;
    for (FileStatus entry; enumerator->Next(&entry);) entries[entry.name] = entry;
    return entries;
}

std::map<std::string, FileStatus> Enumerate(const std::string& folder) {
    DirectoryEnumerator enumerator;
    EXPECT_TRUE(enumerator.Open(folder)) << folder;
    return Listed(&enumerator);
}

NodeIdentity NodeOf(const std::string& path) {
    NodeIdentity node;
    EXPECT_TRUE(GetNodeIdentity(path, &node)) << path;
    return node;
}

// The root of the drive (or of the file system) that holds path.
std::string RootOf(const std::string& path) {
    return path.size() > 2 && path[1] == ':' ? path.substr(0, 3) : std::string(1, kSeparator);
}

bool MakeLink(const std::string& target, const std::string& path) {
    return CreateSymbolicLink(target, path, FileTime{1700000000, 0}, FileTime{1700000000, 0});
}

TEST(DirectoryEnumerator, ReportsTimesAndSizesBeyondFourGiB) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("big");
    const std::string path = JoinPath(folder, "sparse.bin");
    const uint64_t size = (5ull << 30) + 3;
    {
        File file;
        ASSERT_TRUE(file.CreateNewForWrite(path, false, false));
        ASSERT_TRUE(file.SetSize(static_cast<int64_t>(size)));
    }
    const FileTime write{1700000000, 500};
    ASSERT_TRUE(SetFileTimes(path, write, write));
    ASSERT_TRUE(CreateFolder(JoinPath(folder, "sub")));

    const auto entries = Enumerate(folder);
    ASSERT_EQ(entries.size(), 2u);
    const FileStatus& file = entries.at("sparse.bin");
    EXPECT_EQ(file.size, size);
    EXPECT_EQ(file.lastWrite, write);
    EXPECT_EQ(file.lastAccess, write);
    EXPECT_FALSE(file.IsDirectory());
    const FileStatus& sub = entries.at("sub");
    EXPECT_TRUE(sub.IsDirectory());
    EXPECT_EQ(sub.size, 0u);
}

TEST(DirectoryEnumerator, RefusesWhatIsNotAFolder) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("e");
    world.Write(folder, {{"file.txt", TreeFile{"x"}}});
    for (const std::string& path : {JoinPath(folder, "missing"), JoinPath(folder, "file.txt")}) {
        DirectoryEnumerator enumerator;
        EXPECT_FALSE(enumerator.Open(path)) << path;
        FileStatus entry;
        EXPECT_FALSE(enumerator.Next(&entry)) << path;
    }
    DirectoryEnumerator empty;
    ASSERT_TRUE(empty.Open(world.MakeFolder("empty")));
    FileStatus entry;
    EXPECT_FALSE(empty.Next(&entry));
}

TEST(DirectoryEnumerator, ListsEachEntryWithItsNodeAndTheFolderWithItsOwn) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("nodes");
    world.Write(folder, {{"file.txt", TreeFile{"x"}}, {"sub", Tree{}}});
    DirectoryEnumerator enumerator;
    ASSERT_TRUE(enumerator.Open(folder));
    EXPECT_EQ(enumerator.identity(), NodeOf(folder));
    const auto entries = Listed(&enumerator);
    ASSERT_EQ(entries.size(), 2u);
    for (const auto& [name, entry] : entries) {
        EXPECT_EQ(entry.node, NodeOf(JoinPath(folder, name))) << name;
    }
    EXPECT_NE(entries.at("file.txt").node, entries.at("sub").node);
}

TEST(DirectoryEnumerator, OpensAChildOnlyWhileItIsTheFolderListed) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("down");
    world.Write(folder, {{"sub", Tree{{"inner.txt", TreeFile{"x"}}}}, {"file.txt", TreeFile{"x"}}});
    DirectoryEnumerator parent;
    ASSERT_TRUE(parent.Open(folder));
    const auto entries = Listed(&parent);
    const NodeIdentity listed = entries.at("sub").node;

    DirectoryEnumerator child;
    ASSERT_TRUE(child.OpenChild(parent, "sub", listed));
    EXPECT_EQ(child.identity(), listed);
    EXPECT_EQ(Listed(&child).count("inner.txt"), 1u);

    // A file, a missing name and names that would lead elsewhere are no child folder.
    for (const char* name : {"file.txt", "missing", "..", ".", "sub/..", ""}) {
        EXPECT_FALSE(child.OpenChild(parent, name, listed)) << name;
        EXPECT_FALSE(child.IsOpen()) << name;
    }

    // Another folder put in the listed one's place is not entered.
    ASSERT_TRUE(MoveFile(JoinPath(folder, "sub"), JoinPath(folder, "moved")));
    ASSERT_TRUE(CreateFolder(JoinPath(folder, "sub")));
    EXPECT_FALSE(child.OpenChild(parent, "sub", listed));
    DirectoryEnumerator closed;
    EXPECT_FALSE(child.OpenChild(closed, "moved", listed));
    EXPECT_TRUE(child.OpenChild(parent, "moved", listed));
}

TEST(DirectoryEnumerator, OpensTheFolderAboveOnlyWhileItIsTheOneRecorded) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("up");
    world.Write(folder, {{"a", Tree{{"b", Tree{}}}}, {"c", Tree{}}});
    const std::string a = JoinPath(folder, "a");
    DirectoryEnumerator child;
    ASSERT_TRUE(child.Open(JoinPath(a, "b")));

    DirectoryEnumerator parent;
    ASSERT_TRUE(parent.OpenParent(child, NodeOf(a)));
    EXPECT_EQ(parent.identity(), NodeOf(a));
    EXPECT_EQ(Listed(&parent).count("b"), 1u);
    EXPECT_FALSE(parent.OpenParent(child, NodeOf(folder)));
    EXPECT_FALSE(parent.IsOpen());

    // Moved elsewhere, the folder held open has another folder above it. (Which one is not
    // asked: Wine still names a moved folder by the path it was opened with.)
    ASSERT_TRUE(MoveFile(JoinPath(a, "b"), JoinPath(folder, "c/b")));
    EXPECT_FALSE(parent.OpenParent(child, NodeOf(a)));
    EXPECT_FALSE(parent.IsOpen());
}

TEST(NodeIdentity, AncestorsStartAtTheNearestExistingFolderAndEndAtTheRoot) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("chain");
    world.Write(folder, {{"a", Tree{{"b", Tree{}}}}, {"f.txt", TreeFile{"x"}}});
    const std::string b = JoinPath(folder, "a/b");

    std::vector<NodeIdentity> chain;
    ASSERT_TRUE(GetAncestorIdentities(JoinPath(b, "missing/deeper"), &chain));
    ASSERT_GE(chain.size(), 4u);
    EXPECT_EQ(chain[0], NodeOf(b));
    EXPECT_EQ(chain[1], NodeOf(JoinPath(folder, "a")));
    EXPECT_EQ(chain[2], NodeOf(folder));
    EXPECT_EQ(chain.back(), NodeOf(RootOf(folder)));

    std::vector<NodeIdentity> fromFile;
    ASSERT_TRUE(GetAncestorIdentities(JoinPath(folder, "f.txt"), &fromFile));
    EXPECT_EQ(fromFile, std::vector<NodeIdentity>(chain.begin() + 2, chain.end()));

    NodeIdentity missing;
    EXPECT_FALSE(GetNodeIdentity(JoinPath(folder, "missing"), &missing));
    EXPECT_NE(NodeOf(folder), NodeOf(b));
}

TEST(NodeIdentity, AncestorsAreTheRealParentsBeyondALink) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("real");
    world.Write(folder, {{"a", Tree{{"b", Tree{}}}}, {"elsewhere", Tree{}}});
    const std::string link = JoinPath(folder, "elsewhere/link");
    if (!MakeLink(JoinPath(folder, "a/b"), link)) GTEST_SKIP() << kNoLinks;

    EXPECT_EQ(NodeOf(link), NodeOf(JoinPath(folder, "a/b")));
    std::vector<NodeIdentity> chain;
    ASSERT_TRUE(GetAncestorIdentities(link, &chain));
    ASSERT_GE(chain.size(), 3u);
    EXPECT_EQ(chain[0], NodeOf(JoinPath(folder, "a/b")));
    EXPECT_EQ(chain[1], NodeOf(JoinPath(folder, "a")));
    EXPECT_EQ(chain[2], NodeOf(folder));
}

TEST(SymbolicLinks, AreFoundBelowTheRootAndReadBack) {
    test::TestWorld world;
    const std::string root = world.MakeFolder("root");
    world.Write(root, {{"real", Tree{{"f.txt", TreeFile{"x"}}}}});
    const std::string real = JoinPath(root, "real");
    std::string target;
    EXPECT_FALSE(ReadLinkTarget(JoinPath(real, "f.txt"), &target));
    EXPECT_FALSE(ReadLinkTarget(real, &target));
    EXPECT_FALSE(HasLinkBelow(root, JoinPath(real, "f.txt")));
    if (!MakeLink(real, JoinPath(root, "link"))) GTEST_SKIP() << kNoLinks;

    ASSERT_TRUE(ReadLinkTarget(JoinPath(root, "link"), &target));
    EXPECT_EQ(target, real);
    EXPECT_TRUE(HasLinkBelow(root, JoinPath(root, "link/f.txt")));
    EXPECT_TRUE(HasLinkBelow(root, JoinPath(root, "link")));
    // The root itself may be a link; outside it only the last level counts.
    EXPECT_FALSE(HasLinkBelow(JoinPath(root, "link"), JoinPath(root, "link/f.txt")));
    EXPECT_FALSE(HasLinkBelow(real, JoinPath(root, "link/f.txt")));
    EXPECT_TRUE(HasLinkBelow(real, JoinPath(root, "link")));
}

TEST(DirectoryEnumerator, DoesNotOpenALinkPutInTheChildsPlace) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("swap");
    world.Write(folder, {{"sub", Tree{}}});
    DirectoryEnumerator parent;
    ASSERT_TRUE(parent.Open(folder));
    const NodeIdentity listed = Listed(&parent).at("sub").node;
    ASSERT_TRUE(MoveFile(JoinPath(folder, "sub"), JoinPath(folder, "moved")));
    if (!MakeLink(JoinPath(folder, "moved"), JoinPath(folder, "sub"))) GTEST_SKIP() << kNoLinks;

    DirectoryEnumerator child;
    EXPECT_FALSE(child.OpenChild(parent, "sub", listed));
    EXPECT_EQ(NodeOf(JoinPath(folder, "sub")), listed);
}

}  // namespace
}  // namespace tv
