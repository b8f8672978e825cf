// Every test here makes its first GIO call after its TestWorld has pointed HOME and
// XDG_DATA_HOME into the world: GLib remembers both from its first use on, and each test runs
// in a process of its own.
#include "platform/trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scoped_mount.h"
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

// The number goes before the first dot, and a name taken in files/ without an info file (left
// by another program) is passed over, never replaced.
TEST(Trash, TakenNamesGetTheNextNumberAndNothingInTheTrashIsReplaced) {
    test::TestWorld world;
    ExpectPlainBase(world);
    world.Write(world.TrashFiles(), {{"a#b%c~d.txt", TreeFile{"orphan"}}});
    const std::string names[] = {"写真 1.tar.gz", "写真 1.tar.gz", "写真 1.tar.gz", "a#b%c~d.txt"};
    for (size_t i = 0; i < std::size(names); ++i) {
        const std::string folder = world.MakeFolder("f" + std::to_string(i));
        world.Write(folder, {{names[i], TreeFile{std::to_string(i)}}});
        ASSERT_TRUE(MoveToTrash(JoinPath(folder, names[i]))) << i;
    }

    EXPECT_EQ(world.Read(world.TrashFiles()), (Tree{{"写真 1.tar.gz", TreeFile{"0"}},
                                                    {"写真 1.2.tar.gz", TreeFile{"1"}},
                                                    {"写真 1.3.tar.gz", TreeFile{"2"}},
                                                    {"a#b%c~d.txt", TreeFile{"orphan"}},
                                                    {"a#b%c~d.2.txt", TreeFile{"3"}}}));
    const std::string kPhotos = "%E5%86%99%E7%9C%9F%201.tar.gz";
    const std::pair<std::string, std::string> infos[] = {
        {"写真 1.tar.gz", "/f0/" + kPhotos},
        {"写真 1.2.tar.gz", "/f1/" + kPhotos},
        {"写真 1.3.tar.gz", "/f2/" + kPhotos},
        {"a#b%c~d.2.txt", "/f3/a%23b%25c~d.txt"},
    };
    for (const auto& [name, path] : infos) {
        EXPECT_EQ(InfoWithoutDate(JoinPath(world.TrashInfo(), name + ".trashinfo")),
                  "[Trash Info]\nPath=" + world.base() + path + "\nDeletionDate=*\n");
    }
    EXPECT_EQ(world.Read(world.TrashInfo()).size(), 4u);
}

// The folder was held open before its path was given to a link to somewhere else: the entry
// comes out of the held folder, and a link goes to the trash as itself.
TEST(Trash, AnEntryLeavesTheFolderHeldOpenWhereverItsPathLeadsNow) {
    test::TestWorld world;
    const std::string destination = world.MakeFolder("dest");
    const std::string elsewhere = world.MakeFolder("private");
    world.Write(elsewhere, {{"x.txt", TreeFile{"secret"}}});
    world.Write(destination, {{"sub", {{"x.txt", TreeFile{"copy"}}}}});
    ASSERT_EQ(symlink(elsewhere.c_str(), JoinPath(destination, "sub/link").c_str()), 0);
    OpenFolder held;
    ASSERT_TRUE(held.OpenBelow(destination, JoinPath(destination, "sub")));
    ASSERT_EQ(
        std::rename(JoinPath(destination, "sub").c_str(), JoinPath(destination, "moved").c_str()),
        0);
    ASSERT_EQ(symlink(elsewhere.c_str(), JoinPath(destination, "sub").c_str()), 0);

    std::string trashFolder;
    ASSERT_TRUE(MoveEntryToTrash(held, "x.txt", &trashFolder));
    EXPECT_EQ(trashFolder, world.TrashFiles());
    ASSERT_TRUE(MoveEntryToTrash(held, "link"));

    EXPECT_EQ(world.Read(elsewhere), (Tree{{"x.txt", TreeFile{"secret"}}}));
    EXPECT_EQ(world.Read(JoinPath(destination, "moved")), Tree{});
    EXPECT_EQ(world.Read(world.TrashFiles()), (Tree{{"x.txt", TreeFile{"copy"}}}));
    std::string target;
    EXPECT_TRUE(ReadLinkTarget(JoinPath(world.TrashFiles(), "link"), &target));
    EXPECT_EQ(target, elsewhere);
    EXPECT_FALSE(MoveEntryToTrash(held, "missing"));
    EXPECT_FALSE(MoveEntryToTrash(held, ".."));
}

// On a volume other than the home's, the trash is the volume's own, at its top folder: the
// shared .Trash/$uid when .Trash is a real sticky folder, else .Trash-$uid (made 0700), and
// never one that is a link. Path= is relative to the top folder there.
TEST(Trash, AnotherVolumeKeepsItsOwnTrashAtItsTop) {
    test::TestWorld world;
    const std::string top = world.MakeFolder("volume");
    test::ScopedMount volume =
        test::ScopedMount::Ext4Image(JoinPath(world.base(), "volume.img"), top);
    if (!volume.mounted()) GTEST_SKIP() << test::MountRefusedMessage(volume);
    const std::string uid = std::to_string(geteuid());
    const std::string own = JoinPath(top, ".Trash-" + uid);
    const std::string shared = JoinPath(top, ".Trash");
    const std::string folder = JoinPath(top, "bk/資料");
    world.Write(folder, {{"a b.txt", TreeFile{"1"}}});

    // The caller learns where the entry went: that folder's sync makes the move durable.
    auto trashIt = [&folder](const std::string& name) {
        OpenFolder held;
        std::string trashFolder;
        EXPECT_TRUE(held.OpenBelow(folder, folder));
        EXPECT_TRUE(MoveEntryToTrash(held, name, &trashFolder)) << name;
        return trashFolder;
    };
    EXPECT_EQ(trashIt("a b.txt"), JoinPath(own, "files"));
    EXPECT_EQ(world.Read(JoinPath(own, "files")), (Tree{{"a b.txt", TreeFile{"1"}}}));
    EXPECT_EQ(InfoWithoutDate(JoinPath(own, "info/a b.txt.trashinfo")),
              "[Trash Info]\nPath=bk/%E8%B3%87%E6%96%99/a%20b.txt\nDeletionDate=*\n");
    struct stat st {};
    ASSERT_EQ(lstat(own.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);

    // A sticky .Trash shared by every user of the volume takes the entry in a folder of ours.
    ASSERT_TRUE(CreateFolder(shared));
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    world.Write(folder, {{"b.txt", TreeFile{"2"}}});
    EXPECT_EQ(trashIt("b.txt"), JoinPath(shared, uid + "/files"));
    EXPECT_EQ(world.Read(JoinPath(shared, uid + "/files")), (Tree{{"b.txt", TreeFile{"2"}}}));

    // Links in place of either trash lead nowhere: the entry stays.
    const std::string decoy = world.MakeFolder("decoy");
    ASSERT_EQ(std::system(("rm -rf '" + shared + "' '" + own + "'").c_str()), 0);
    ASSERT_EQ(symlink(decoy.c_str(), own.c_str()), 0);
    world.Write(decoy, {{".Trash", Tree{}}});
    ASSERT_EQ(chmod(JoinPath(decoy, ".Trash").c_str(), 01777), 0);
    ASSERT_EQ(symlink(JoinPath(decoy, ".Trash").c_str(), shared.c_str()), 0);
    world.Write(folder, {{"c.txt", TreeFile{"3"}}});
    EXPECT_FALSE(MoveToTrash(JoinPath(folder, "c.txt")));
    EXPECT_EQ(world.Read(folder), (Tree{{"c.txt", TreeFile{"3"}}}));
    EXPECT_EQ(world.Read(decoy), (Tree{{".Trash", Tree{}}}));
}

}  // namespace
}  // namespace tv
