#include "platform/file_error.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::Tree;
using test::TreeFile;

// The engine decides on these kinds (a name taken, a file system without links), so each
// failed call must leave the kind of its cause, not of some call made after it.
TEST(FileError, AFailedCallLeavesTheKindOfItsCause) {
    test::TestWorld world;
    const std::string base = world.MakeFolder("errors");
    world.Write(base, {{"a.txt", TreeFile{"a"}},
                       {"b.txt", TreeFile{"b"}},
                       {"full", Tree{{"x.txt", TreeFile{"x"}}}}});
    const auto at = [&](const std::string& name) { return JoinPath(base, name); };
    const struct {
        const char* name;
        std::function<bool()> call;
        FileError expected;
    } cases[] = {
        {"move onto a taken name", [&] { return MoveFileIfFree(at("a.txt"), at("b.txt")); },
         FileError::Exists},
        {"delete a missing file", [&] { return DeleteFile(at("missing.txt")); },
         FileError::NotFound},
        {"folder below a file", [&] { return CreateFolder(JoinPath(at("a.txt"), "sub")); },
         FileError::NotAFolder},
        {"remove a folder with entries", [&] { return RemoveFolder(at("full")); },
         FileError::NotEmpty},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(c.call()) << c.name;
        EXPECT_EQ(LastFileError(), c.expected) << c.name;
    }
}

TEST(FileIdentity, NamesTheEntryKindAndWhetherItsOwnerMayWrite) {
    test::TestWorld world;
    const std::string base = world.MakeFolder("kinds");
    world.Write(base, {{"plain.txt", TreeFile{"p"}},
                       {"locked.txt", TreeFile{"l", 1000, kAttrReadOnly}},
                       {"folder", Tree{}}});
    FileIdentity plain, locked, folder;
    ASSERT_TRUE(GetEntryIdentity(JoinPath(base, "plain.txt"), &plain));
    ASSERT_TRUE(GetEntryIdentity(JoinPath(base, "locked.txt"), &locked));
    ASSERT_TRUE(GetEntryIdentity(JoinPath(base, "folder"), &folder));

    EXPECT_TRUE(plain.IsRegularFile() && !plain.IsFolder() && !plain.IsLink());
    EXPECT_TRUE(folder.IsFolder() && !folder.IsRegularFile() && !folder.IsLink());
    EXPECT_TRUE(plain.IsOwnerWritable());
    EXPECT_FALSE(locked.IsOwnerWritable());

    // A copy of a read-only file is made writable, so that it can be finished and replaced.
    File copy;
    ASSERT_TRUE(
        copy.CreateNewForWrite(JoinPath(base, "copy.txt"), false, false, locked.CopyPermissions()));
    FileIdentity made;
    ASSERT_TRUE(copy.GetIdentity(&made));
    EXPECT_TRUE(made.IsOwnerWritable());
}

TEST(FileIdentity, NamesASymbolicLinkAsALinkWhateverItPointsAt) {
    test::TestWorld world;
    const std::string base = world.MakeFolder("links");
    world.Write(base, {{"plain.txt", TreeFile{"p"}}});
    const bool linked =
        CreateSymbolicLink("plain.txt", JoinPath(base, "link"), FileTime{}, FileTime{});
#ifdef _WIN32
    // Links need a privilege or developer mode there, and Wine makes none.
    if (!linked) GTEST_SKIP() << "this system makes no symbolic links for this user";
#endif
    ASSERT_TRUE(linked);
    FileIdentity link;
    ASSERT_TRUE(GetEntryIdentity(JoinPath(base, "link"), &link));
    EXPECT_TRUE(link.IsLink() && !link.IsRegularFile() && !link.IsFolder());
}

}  // namespace
}  // namespace tv
