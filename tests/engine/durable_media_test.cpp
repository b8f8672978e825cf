// Durability on real file systems: the Windows media a desktop writes through FUSE drivers, and
// an ext4 disk whose power is cut the instant a run ends.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/durability/pending_copies.h"
#include "engine/relocation/relocation.h"
#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/scoped_mount.h"
#include "tests/support/scripted_prompts.h"

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
        RunOn(context);
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
        outcome.HadError = 0;

        RunCountingSyncs();

        const Tree copies = world.Read(job.Destination);
        EXPECT_EQ(keepsTimes ? copies : WithoutTimes(copies),
                  keepsTimes ? source : WithoutTimes(source));
        EXPECT_EQ(outcome.HadError, 0);
        EXPECT_EQ(wholeSyncs, 0);
        EXPECT_EQ(fileSyncs, 4);
        // bk and bk/sub after the copies; bk and the trash after the extra's move.
        EXPECT_EQ(folderSyncs, 4);
    }
}

// A move outside a copy pass syncs each copy before it takes its place where no sync of the
// whole medium would reach it, so the move completes and the old files go.
TEST_F(DurableMediaTest, AMoveOntoFuseMediaSyncsEachCopyAndCompletes) {
    const Tree backup = {{"a.txt", Text("a")}, {"sub", {{"b.txt", Text("bb")}}}};
    for (const FuseKind kind : {FuseKind::Fat32, FuseKind::Exfat, FuseKind::Ntfs}) {
        SCOPED_TRACE(NameOf(kind));
        const std::string medium = JoinPath(world.root('D'), std::string("move ") + NameOf(kind));
        ASSERT_TRUE(CreateFolder(medium));
        ScopedMount mount = ScopedMount::FuseImage(
            kind, JoinPath(world.base(), std::string("move ") + NameOf(kind) + ".img"), medium);
        if (!mount.mounted()) GTEST_SKIP() << MountRefusedMessage(mount);
        RelocationRequest request;
        request.OldFolder = Path(std::string("old ") + NameOf(kind));
        request.NewFolder = JoinPath(medium, "new");
        request.Move = true;
        world.Write(request.OldFolder, backup);
        ScriptedPrompts prompts;
        RunContext context(clock, world.drives());
        context.SetState(WorkerState::Running);

        EXPECT_EQ(Relocate(request, context, prompts, nullptr, world.programDir()),
                  RelocationEnd::Finished);

        EXPECT_EQ(WithoutTimes(world.Read(request.NewFolder)), WithoutTimes(backup));
        EXPECT_EQ(world.Read(request.OldFolder), Tree{});
    }
}

// One line of the day file, by its fields.
std::vector<std::string> FieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    return fields;
}

// Mounts onto the folder cut what the disk whose image is given would hold after a power cut
// now: the loop device has written to the image only what ext4 wrote out, so a copy of the
// image is that disk; mounting it replays its journal.
ScopedMount CutPower(const std::string& image, const std::string& cut) {
    const std::string copy = cut + ".img";
    EXPECT_EQ(std::system(("cp --sparse=always '" + image + "' '" + copy + "'").c_str()), 0);
    EXPECT_TRUE(CreateFolder(cut));
    return ScopedMount::Image(copy, cut);
}

// Every file a run logged "ＯＫ" survives a power cut the instant the run ended, with its bytes
// and its source's time; so does what the run's deletion moved away.
TEST_F(DurableMediaTest, WhatARunLoggedSurvivesAPowerCutRightAfterIt) {
    const std::string disk = JoinPath(world.root('D'), "disk");
    ASSERT_TRUE(CreateFolder(disk));
    const std::string image = JoinPath(world.base(), "disk.img");
    const ScopedMount mount = ScopedMount::Ext4Image(image, disk, 16);
    if (!mount.mounted()) GTEST_SKIP() << MountRefusedMessage(mount);
    job.Destination = JoinPath(disk, "bk");
    Tree source;
    for (int i = 0; i < 40; ++i) {
        const std::string name = std::to_string(i) + ".txt";
        TreeFile file =
            Text(std::string(100 + i * 37, static_cast<char>('a' + i % 26)), kNow - i * 3600);
        if (i % 3 == 0) {
            source["sub"].children[name] = file;
        } else {
            source[name] = file;
        }
    }
    world.Write(Path("data"), source);

    // The copies the day file logs "ＯＫ", relative to the destination.
    auto loggedOk = [this]() {
        std::set<std::string> copies;
        std::istringstream day(DayFile());
        for (std::string line; std::getline(day, line);) {
            const std::vector<std::string> fields = FieldsOf(line.substr(0, line.size() - 1));
            if (fields.size() == 12 && fields[6] == "ファイル作成" && fields[11] == "ＯＫ") {
                copies.insert(fields[9].substr(job.Destination.size() + 1));
            }
        }
        return copies;
    };
    std::set<std::string> sources;
    for (const auto& [name, node] : source) {
        if (node.isFile) sources.insert(name);
    }
    for (const auto& [name, node] : source.at("sub").children) sources.insert("sub/" + name);

    // Where a path of the running disk lies on the disk after a cut mounted at cut.
    auto onCut = [&disk](const std::string& cut, const std::string& path) {
        return cut + path.substr(disk.size());
    };

    // A plain copy first: nothing but the copy pass makes its copies' places durable.
    job.ForceMirror = 0;
    RunCountingSyncs();
    job.ForceMirror = 1;
    const std::string cut1 = JoinPath(world.base(), "cut1");
    const ScopedMount afterCopies = CutPower(image, cut1);
    ASSERT_TRUE(afterCopies.mounted()) << MountRefusedMessage(afterCopies);

    // Each in place with its bytes and its source's time, and nothing else there.
    EXPECT_EQ(loggedOk(), sources);
    EXPECT_EQ(world.Read(onCut(cut1, job.Destination)), source);

    // The deletion moves the copies of files and of a whole folder the source lost to the trash.
    const std::vector<std::string> removed = {"1.txt", "2.txt", "4.txt", "sub"};
    for (const std::string& name : removed) {
        std::filesystem::remove_all(JoinPath(Path("data"), name));
        source.erase(name);
    }
    RunCountingSyncs();
    const std::string cut2 = JoinPath(world.base(), "cut2");
    const ScopedMount afterDeletion = CutPower(image, cut2);
    ASSERT_TRUE(afterDeletion.mounted()) << MountRefusedMessage(afterDeletion);

    for (const std::string& name : removed) {
        EXPECT_FALSE(PathExists(onCut(cut2, JoinPath(job.Destination, name))))
            << name << " is still in place after the cut";
    }
    EXPECT_EQ(world.Read(onCut(cut2, job.Destination)), source);
}

}  // namespace
}  // namespace tv::test
