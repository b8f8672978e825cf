// A source folder that another account can write: that account swaps a subfolder for a symbolic
// link to the user's private folder and back, over and over, while the user's runs back the
// source up. Nothing of the private folder may ever reach the backup.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
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
    symlinkat(target.c_str(), folder, "sub");
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

}  // namespace
}  // namespace tv::test
