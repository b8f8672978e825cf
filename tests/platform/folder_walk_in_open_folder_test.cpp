// The walk of a folder held open: it lists that folder, whatever its path leads to by now.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::TreeFile;

TEST(DirectoryEnumerator, ListsTheFolderHeldOpenWhereverItsPathLeads) {
    test::TestWorld world;
    const std::string base = world.MakeFolder("base");
    const std::string held = JoinPath(base, "held");
    ASSERT_TRUE(CreateFolder(held));
    world.Write(held, {{"inside.txt", TreeFile{"x"}}});
    OpenFolder folder;
    ASSERT_TRUE(folder.OpenBelow(base, held));
    ASSERT_TRUE(MoveFile(held, JoinPath(base, "moved")));
    ASSERT_TRUE(CreateFolder(held));
    world.Write(held, {{"other.txt", TreeFile{"y"}}});

    DirectoryEnumerator enumerator;
    ASSERT_TRUE(enumerator.OpenIn(folder));
    NodeIdentity moved;
    ASSERT_TRUE(GetNodeIdentity(JoinPath(base, "moved"), &moved));
    EXPECT_EQ(enumerator.identity(), moved);
    std::vector<std::string> names;
    for (FileStatus entry; enumerator.Next(&entry);) names.push_back(entry.name);
    EXPECT_EQ(names, std::vector<std::string>{"inside.txt"});

    OpenFolder closed;
    EXPECT_FALSE(enumerator.OpenIn(closed));
    EXPECT_FALSE(enumerator.IsOpen());
}

}  // namespace
}  // namespace tv
