// Durability on real file systems: the Windows media a desktop writes through FUSE drivers.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "engine/pending_copies.h"
#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/scoped_mount.h"

namespace tv::test {
namespace {

constexpr int64_t kDay = 86400;

TreeFile Text(const std::string& content, int64_t mtime = kNow) {
    return TreeFile{.content = content, .mtime = mtime};
}

// The tree with every file's time left out.
Tree WithoutTimes(Tree tree) {
    for (auto& [name, node] : tree) {
        if (node.isFile) {
            node.file.mtime = 0;
        } else {
            node.children = WithoutTimes(node.children);
        }
    }
    return tree;
}

class DurableMediaTest : public EngineTest {
  protected:
    DurableMediaTest() {
        MakeFileDirJob();
        job.ForceMirror = 1;
    }

    // A run whose syncs are the real ones, counted by kind.
    void RunCountingSyncs() {
        RunContext context(clock, world.drives(), &log, &idle);
        context.SetState(WorkerState::Running);
        PendingCopies& pending = context.pendingCopies();
        pending.SetFileSystemSync([this](const std::string& folder) {
            ++wholeSyncs;
            return SyncFileSystemOf(folder);
        });
        pending.SetFileSync([this](File& copy) {
            ++fileSyncs;
            return copy.Flush();
        });
        pending.SetFolderSync([this](const std::string& folder) {
            ++folderSyncs;
            return SyncFolder(folder);
        });
        RunJob(job, context);
    }

    // The batches are made durable on a thread of their own as well.
    std::atomic<int> wholeSyncs{0};
    std::atomic<int> fileSyncs{0};
    std::atomic<int> folderSyncs{0};
};

// No sync of a whole FUSE file system reaches its driver: each copy is synced alone before its
// rename, and each folder a copy was renamed or an extra moved in is synced before the run ends.
TEST_F(DurableMediaTest, OnFuseMediaEachCopyAndEachFolderIsSyncedAlone) {
    const Tree source = {{"a.txt", Text("a")},
                         {"b.txt", Text("bb", kNow - kDay)},
                         {"sub", {{"c.txt", Text("ccc")}, {"d.txt", Text("dddd")}}}};
    world.Write(Path("data"), source);
    struct Medium {
        FuseKind kind;
        bool keepsTimes;  // the FAT driver gives every file the time it was written
    };
    const Medium media[] = {
        {FuseKind::Fat32, false}, {FuseKind::Exfat, true}, {FuseKind::Ntfs, true}};
    for (const auto& [kind, keepsTimes] : media) {
        SCOPED_TRACE(NameOf(kind));
        const std::string medium = JoinPath(world.root('D'), NameOf(kind));
        ASSERT_TRUE(CreateFolder(medium));
        ScopedMount mount = ScopedMount::FuseImage(
            kind, JoinPath(world.base(), std::string(NameOf(kind)) + ".img"), medium);
        if (!mount.mounted()) GTEST_SKIP() << MountRefusedMessage(mount);
        job.Destination = JoinPath(medium, "bk");
        world.Write(job.Destination, {{"extra.txt", Text("extra")}});
        wholeSyncs = fileSyncs = folderSyncs = 0;
        job.HadError = 0;

        RunCountingSyncs();

        const Tree copies = world.Read(job.Destination);
        EXPECT_EQ(keepsTimes ? copies : WithoutTimes(copies),
                  keepsTimes ? source : WithoutTimes(source));
        EXPECT_EQ(job.HadError, 0);
        EXPECT_EQ(wholeSyncs, 0);
        EXPECT_EQ(fileSyncs, 4);
        // bk and bk/sub after the copies; bk and the trash after the extra's move.
        EXPECT_EQ(folderSyncs, 4);
    }
}

}  // namespace
}  // namespace tv::test
