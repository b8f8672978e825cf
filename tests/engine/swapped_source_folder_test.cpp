// A source folder that another account can write: that account swaps a subfolder for a symbolic
// link to the user's private folder and back, over and over, while the user's runs back the
// source up. Nothing of the private folder may ever reach the backup.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "tests/engine/engine_fixture.h"
#include "tests/support/scratch_user.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content) { return TreeFile{.content = content}; }

constexpr const char* kPrivate = "private";

// The same names in the shared subfolder and in the private folder, told apart by content.
Tree FilesSaying(const std::string& content) {
    return {{"a.txt", Text(content)}, {"b.txt", Text(content)}, {"c.txt", Text(content)}};
}

// Whether any file of the tree says what the private files say.
bool HoldsPrivateFile(const Tree& tree) {
    for (const auto& [name, node] : tree) {
        if (node.isFile ? node.file.content == kPrivate : HoldsPrivateFile(node.children)) {
            return true;
        }
    }
    return false;
}

void Chown(const std::string& path) {
    ASSERT_EQ(chown(path.c_str(), ScratchUser::kId, ScratchUser::kId), 0) << path;
}

class SwappedSourceFolderTest : public EngineTest {
  protected:
    SwappedSourceFolderTest() {
        MakeFileDirJob();
        world.AddDrive('C', kDriveFixed);
        privateFolder = JoinPath(world.root('C'), "private");
        world.Write(privateFolder, FilesSaying(kPrivate));
        chmod(privateFolder.c_str(), 0700);
        shared = JoinPath(job.Source, "shared");
        world.Write(shared, {{"sub", FilesSaying("shared")}});
    }

    std::string privateFolder;
    std::string shared;
};

// The other account's loop: the subfolder goes away and a link to the private folder takes its
// name, then the subfolder comes back.
void SwapSubfolderForLink(int folder, const std::string& target) {
    renameat(folder, "sub", folder, "sub.away");
    (void)!symlinkat(target.c_str(), folder, "sub");
    usleep(50);
    unlinkat(folder, "sub", 0);
    renameat(folder, "sub.away", folder, "sub");
    usleep(50);
}

TEST_F(SwappedSourceFolderTest, AFolderSwappedForALinkLeadsNoPrivateFileIntoTheBackup) {
    Chown(shared);
    Chown(JoinPath(shared, "sub"));

    ScratchUser other;
    std::string error;
    const std::string target = privateFolder;
    if (!other.Start(
            shared, [target](int folder) { SwapSubfolderForLink(folder, target); }, &error)) {
        GTEST_SKIP() << error;
    }
    job.LogRecord = nullptr;
    int leaks = 0;
    for (int round = 0; round < 200; ++round) {
        std::filesystem::remove_all(destination);
        Run();
        if (HoldsPrivateFile(world.Read(destination))) ++leaks;
    }
    other.Stop();

    EXPECT_EQ(leaks, 0) << "runs that copied a private file";
}

struct ChangeAfterListing {
    const char* name;
    // Done once the listing has ended, before the first file is copied.
    std::function<void(const std::string& sub, const std::string& privateFolder)> change;
    Tree expected;  // the copy of shared/sub
    uint8_t hadError;
};

// The same changes as one step between the listing and the copies: a folder on the way swapped
// for a link is an error of the run and leads nowhere; a file saved over (a new file renamed into
// its place) is copied as it is now.
TEST_F(SwappedSourceFolderTest, WhatChangesAfterTheListingIsReadOnlyWhereTheListingLooked) {
    const ChangeAfterListing cases[] = {
        {"a folder swapped for a link",
         [](const std::string& sub, const std::string& privateFolder) {
             ASSERT_EQ(rename(sub.c_str(), (sub + ".away").c_str()), 0);
             ASSERT_EQ(symlink(privateFolder.c_str(), sub.c_str()), 0);
         },
         {},
         1},
        {"a file saved over",
         [](const std::string& sub, const std::string&) {
             WriteTree(sub, {{"new.tmp", Text("saved")}});
             ASSERT_EQ(rename((sub + "/new.tmp").c_str(), (sub + "/a.txt").c_str()), 0);
         },
         {{"a.txt", Text("saved")}, {"b.txt", Text("shared")}, {"c.txt", Text("shared")}},
         0},
    };
    job.IdleCheck = 1;
    const std::string sub = JoinPath(shared, "sub");
    for (const ChangeAfterListing& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(shared);
        std::filesystem::remove_all(destination);
        world.Write(shared, {{"sub", FilesSaying("shared")}});
        outcome.HadError = 0;
        bool changed = false;
        idle.answer = [&] {
            if (!changed && stopper->phase() == Phase::Copying) {
                changed = true;
                c.change(sub, privateFolder);
            }
            return true;
        };

        Run();

        EXPECT_TRUE(changed);
        EXPECT_EQ(world.Read(JoinPath(destination, "shared/sub")), c.expected);
        EXPECT_EQ(outcome.HadError, c.hadError);
    }
}

}  // namespace
}  // namespace tv::test
