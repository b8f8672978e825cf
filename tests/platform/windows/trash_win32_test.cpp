// Deletion to the recycle bin through the shell: the entry leaves its folder, or stays there
// and the deletion fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/trash.h"
#include "tests/support/scratch_folder.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

TEST(TrashWin32, AFileAndAFolderWithItsContentsLeaveTheirFolder) {
    test::ScratchFolder folder;
    const std::string file = folder.path() + "/report.txt";
    std::ofstream(file) << "draft";
    const std::string tree = folder.path() + "/old";
    fs::create_directories(fs::u8path(tree + "/inner"));
    std::ofstream(tree + "/inner/a.txt") << "a";

    EXPECT_TRUE(MoveToTrash(file));
    EXPECT_TRUE(MoveToTrash(tree));

    EXPECT_FALSE(fs::exists(fs::u8path(file)));
    EXPECT_FALSE(fs::exists(fs::u8path(tree)));
}

TEST(TrashWin32, WhatIsNotThereOrHasNoDriveFails) {
    test::ScratchFolder folder;
    EXPECT_FALSE(MoveToTrash(folder.path() + "/missing.txt"));
    // A network path has no recycle bin: the shell would delete it for good.
    EXPECT_FALSE(MoveToTrash("//server/share/file.txt"));
}

}  // namespace
}  // namespace tv
