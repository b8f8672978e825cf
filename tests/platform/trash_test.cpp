// Every test here makes its first GIO call after its TestWorld has pointed HOME and
// XDG_DATA_HOME into the world: GLib remembers both from its first use on, and each test runs
// in a process of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::Tree;
using test::TreeFile;

// The info file with its deletion date cut out; the date must have the trash's own format.
std::string InfoWithoutDate(const std::string& infoPath) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(infoPath, &bytes)) << infoPath;
    const std::regex date("DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n");
    std::smatch found;
    EXPECT_TRUE(std::regex_search(bytes, found, date)) << bytes;
    return std::regex_replace(bytes, date, "DeletionDate=*\n");
}

// The world's base is made of letters, digits, '-' and '/', which the info file keeps as
// they are; everything after it is spelt out escaped by hand in the tests.
void ExpectPlainBase(const test::TestWorld& world) {
    ASSERT_TRUE(std::regex_match(world.base(), std::regex("[A-Za-z0-9/_.-]+"))) << world.base();
}

TEST(Trash, AFileGoesToTheHomeTrashWithItsOriginalPath) {
    test::TestWorld world;
    ExpectPlainBase(world);
    const std::string folder = world.MakeFolder("src");
    world.Write(folder, {{"資料 1.txt", TreeFile{"data", 1000, kAttrReadOnly}},
                         {"stay.txt", TreeFile{"x"}}});

    ASSERT_TRUE(MoveToTrash(JoinPath(folder, "資料 1.txt")));

    EXPECT_EQ(world.Read(folder), (Tree{{"stay.txt", TreeFile{"x"}}}));
    EXPECT_EQ(world.Read(world.TrashFiles()),
              (Tree{{"資料 1.txt", TreeFile{"data", 1000, kAttrReadOnly}}}));
    EXPECT_EQ(
        InfoWithoutDate(JoinPath(world.TrashInfo(), "資料 1.txt.trashinfo")),
        "[Trash Info]\nPath=" + world.base() + "/src/%E8%B3%87%E6%96%99%201.txt\nDeletionDate=*\n");
}

TEST(Trash, AFolderGoesWholeAndANameTakenTwiceIsKeptApart) {
    test::TestWorld world;
    ExpectPlainBase(world);
    const Tree photos = {{"写真", {{"a.jpg", TreeFile{"jpeg"}}, {"empty", Tree{}}}}};
    const std::string first = world.MakeFolder("one");
    const std::string second = world.MakeFolder("two");
    world.Write(first, photos);
    world.Write(second, photos);

    ASSERT_TRUE(MoveToTrash(JoinPath(first, "写真")));
    ASSERT_TRUE(MoveToTrash(JoinPath(second, "写真")));

    EXPECT_EQ(world.Read(first), Tree{});
    EXPECT_EQ(world.Read(second), Tree{});
    const Tree trashed = world.Read(world.TrashFiles());
    ASSERT_EQ(trashed.size(), 2u);
    for (const auto& [name, node] : trashed) {
        EXPECT_EQ(node, photos.at("写真")) << name;
    }
    EXPECT_EQ(InfoWithoutDate(JoinPath(world.TrashInfo(), "写真.trashinfo")),
              "[Trash Info]\nPath=" + world.base() + "/one/%E5%86%99%E7%9C%9F\nDeletionDate=*\n");
}

TEST(Trash, WithoutATrashTheEntryStaysWhereItIs) {
    test::TestWorld world;
    const std::string folder = world.MakeFolder("src");
    world.Write(folder, {{"a.txt", TreeFile{"data"}}, {"blocker", TreeFile{""}}});
    // The home trash would have to be made inside a file, which cannot be.
    setenv("XDG_DATA_HOME", JoinPath(folder, "blocker/share").c_str(), 1);

    EXPECT_FALSE(MoveToTrash(JoinPath(folder, "a.txt")));
    EXPECT_FALSE(MoveToTrash(JoinPath(folder, "missing")));
    EXPECT_FALSE(MoveToTrash(""));
    EXPECT_EQ(world.Read(folder), (Tree{{"a.txt", TreeFile{"data"}}, {"blocker", TreeFile{""}}}));
}

}  // namespace
}  // namespace tv
