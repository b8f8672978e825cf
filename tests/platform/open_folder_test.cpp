// A folder held open: which paths it opens (links below the chosen root are refused), and that
// what is made and renamed through it stays in the folder it opened, even once its path leads
// elsewhere.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

class OpenFolderTest : public ::testing::Test {
  protected:
    void Link(const std::string& target, const std::string& name) {
        ASSERT_EQ(symlink(target.c_str(), JoinPath(base, name).c_str()), 0) << name;
    }

    TestWorld world;
    const std::string base = world.MakeFolder("place");
};

TEST_F(OpenFolderTest, OpensOnlyWithoutALinkBelowTheRoot) {
    world.MakeFolder("place/root/a/b");
    world.MakeFolder("place/elsewhere/b");
    Link(JoinPath(base, "root"), "root-link");
    Link(JoinPath(base, "elsewhere"), "root/a-link");
    const std::string root = JoinPath(base, "root");
    const struct {
        const char* name;
        std::string root;
        std::string folder;
        bool opens;
    } cases[] = {
        {"the root itself", root, root, true},
        {"two levels below", root, JoinPath(root, "a/b"), true},
        {"a root that is a link", JoinPath(base, "root-link"), JoinPath(base, "root-link/a"), true},
        {"a link as a level", root, JoinPath(root, "a-link/b"), false},
        {"a link as the last level", root, JoinPath(root, "a-link"), false},
        {"outside the root", root, JoinPath(base, "elsewhere/b"), true},
        {"outside the root, a link last", root, JoinPath(base, "root-link"), false},
        {"a folder that is not there", root, JoinPath(root, "missing"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenFolder folder;
        EXPECT_EQ(folder.OpenBelow(c.root, c.folder), c.opens);
        EXPECT_EQ(folder.IsOpen(), c.opens);
    }
}

TEST_F(OpenFolderTest, WhatIsMadeThroughItStaysInTheFolderItOpened) {
    const std::string real = world.MakeFolder("place/real");
    const std::string other = world.MakeFolder("place/other");
    OpenFolder folder;
    ASSERT_TRUE(folder.OpenBelow(base, real));
    // The folder moves away and a link to another one takes its name.
    ASSERT_EQ(rename(real.c_str(), JoinPath(base, "moved").c_str()), 0);
    Link(other, "real");

    File file;
    ASSERT_TRUE(file.CreateNewIn(folder, "part", true, false, 0640));
    ASSERT_TRUE(file.Write("bytes", 5));
    file.Close();
    FileIdentity entry;
    EXPECT_FALSE(folder.EntryIdentity("copy", &entry));
    ASSERT_TRUE(folder.Rename("part", "copy"));

    EXPECT_EQ(FileBytes(JoinPath(base, "moved/copy")), "bytes");
    EXPECT_FALSE(PathExists(JoinPath(other, "copy")));
    ASSERT_TRUE(folder.EntryIdentity("copy", &entry));
    EXPECT_TRUE(entry.IsRegularFile());
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(entry.mode & 0777, 0640u & ~mask);
    // A new file never takes a name that is there already.
    File again;
    EXPECT_FALSE(again.CreateNewIn(folder, "copy", true, false, 0644));
}

// The files after the first are not looked at: what each turns out to be must still be known
// right, as setting its attributes from it shows.
TEST_F(OpenFolderTest, FilesMadeAlikeAreKnownWithoutLookingAtEach) {
    const std::string place = world.MakeFolder("place/made");
    OpenFolder folder;
    ASSERT_TRUE(folder.OpenBelow(base, place));
    const mode_t mask = umask(0);
    umask(mask);
    const struct {
        const char* name;
        uint32_t requested;
    } files[] = {{"first", 0640}, {"second", 0640}, {"other bits", 0604}, {"again", 0640}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        File file;
        ASSERT_TRUE(file.CreateNewIn(folder, f.name, true, false, f.requested));
        ASSERT_TRUE(file.SetAttributes(kAttrReadOnly));
        file.Close();
        FileIdentity made;
        ASSERT_TRUE(folder.EntryIdentity(f.name, &made));
        EXPECT_EQ(made.mode & 0777, f.requested & ~mask & ~0222u);
    }
}

}  // namespace
}  // namespace tv::test
