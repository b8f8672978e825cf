#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sstream>
#include <thread>

#include "engine/deletion/mass_deletion_guard.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/scratch_user.h"
#include "tests/support/scripted_prompts.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content, int64_t mtime = kNow) {
    return TreeFile{.content = content, .mtime = mtime};
}

std::vector<std::string> LinesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}

class MirrorDeletionTest : public EngineTest {
  protected:
    MirrorDeletionTest() {
        job.ForceMirror = 1;
        world.Write(sourceRoot, {{"keep.txt", Text("k")}, {"sub", {{"x.txt", Text("x")}}}});
    }

    std::string DeletionLine(const std::string& path) const {
        const std::string name = AfterLastSeparator(path);
        return "2005/07/01\t" + RunFields() + "削除\t" + (name.empty() ? " " : name) +
               "\tマスターになし\t" + path + "\t09:30:00\tゴミ箱に移動";
    }

    const Tree mirrored = {{"keep.txt", Text("k")}, {"sub", {{"x.txt", Text("x")}}}};
    const Tree extras = {{"extra.txt", Text("e")},
                         {"old", {{"f1.txt", Text("1")}, {"inner", {{"g.txt", Text("g")}}}}},
                         {"sub", {{"extra2.txt", Text("2")}}}};
};

TEST_F(MirrorDeletionTest, GoneFoldersAreEmptiedEntryByEntryAndSharedFoldersKeepTheirExtras) {
    world.Write(destination, mirrored);
    world.Write(destination, extras);

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));

    Tree expected = mirrored;
    expected["sub"].children["extra2.txt"] = Text("2");
    EXPECT_EQ(world.Read(destination), expected);

    std::vector<std::string> lines = LinesOf(DayFile());
    const auto position = [&](const std::string& path) {
        return std::find(lines.begin(), lines.end(), DeletionLine(path)) - lines.begin();
    };
    EXPECT_LT(position(Copy("old/inner/g.txt")), position(Copy("old/inner/")));
    EXPECT_LT(position(Copy("old/inner/")), position(Copy("old/")));
    EXPECT_LT(position(Copy("old/f1.txt")), position(Copy("old/")));
    std::vector<std::string> expectedLines = {
        DeletionLine(Copy("extra.txt")),
        DeletionLine(Copy("old/f1.txt")),
        DeletionLine(Copy("old/inner/g.txt")),
        DeletionLine(Copy("old/inner/")),
        DeletionLine(Copy("old/")),
    };
    std::sort(lines.begin(), lines.end());
    std::sort(expectedLines.begin(), expectedLines.end());
    EXPECT_EQ(lines, expectedLines);
    EXPECT_EQ(world.Read(world.TrashFiles()).count("extra.txt"), 1u);
}

TEST_F(MirrorDeletionTest, NothingIsDeletedAfterAFullDisk) {
    const std::string small = world.AddDrive('F', kDriveFixed, 0x5u, "", 0);
    job.Destination = JoinPath(small, "bk");
    world.Write(job.Destination, extras);

    EXPECT_EQ(Run(), static_cast<int>(FileResult::DiskFull));

    EXPECT_EQ(world.Read(job.Destination), extras);
    EXPECT_EQ(outcome.HadError, 1);
}

TEST_F(MirrorDeletionTest, NothingIsDeletedAfterAStopDuringTheCopyPass) {
    world.Write(destination, extras);
    job.IdleCheck = 1;
    idle.answer = [this] {
        if (stopper->phase() == Phase::Copying) stopper->RequestStop();
        return true;
    };

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Cancelled));

    EXPECT_EQ(world.Read(destination), extras);
}

TEST_F(MirrorDeletionTest, NothingIsCopiedOrDeletedWhenTheSourceIsMissing) {
    MakeFileDirJob();
    world.Write(destination, extras);

    EXPECT_EQ(Run(), 0);

    EXPECT_EQ(world.Read(destination), extras);
    EXPECT_EQ(window.events, (std::vector<std::string>{"phase 4096"}));
}

// The root disappears, or only its empty mount point stays behind.
TEST_F(MirrorDeletionTest, ASourceThatVanishesBeforeTheDeletionStopsIt) {
    const std::string parked = world.MakeFolder("parked");
    const std::function<void()> vanish[] = {
        [&] { EXPECT_EQ(std::rename(sourceRoot.c_str(), JoinPath(parked, "E").c_str()), 0); },
        [&] {
            EXPECT_EQ(std::rename(sourceRoot.c_str(), JoinPath(parked, "E2").c_str()), 0);
            EXPECT_TRUE(CreateFolder(sourceRoot));
        },
    };
    for (const auto& makeSourceVanish : vanish) {
        world.Write(sourceRoot, mirrored);
        world.Write(destination, mirrored);
        world.Write(destination, extras);
        job.IdleCheck = 1;
        bool vanished = false;
        idle.answer = [&] {
            if (stopper->phase() == Phase::Deleting && !vanished) {
                makeSourceVanish();
                vanished = true;
            }
            return true;
        };

        EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));

        Tree expected = mirrored;
        for (const auto& [name, node] : extras) {
            if (name != "sub") expected[name] = node;
        }
        expected["sub"].children["extra2.txt"] = Text("2");
        EXPECT_EQ(world.Read(destination), expected);
        EXPECT_EQ(DayFile(), "");
    }
}

// The folder old is planned for removal with its files; before the first removal it is moved
// aside and a link to a private folder takes its name. Neither the folder moved aside nor
// anything behind the link is removed, and no removal is logged.
TEST_F(MirrorDeletionTest, AFolderTurnedIntoALinkAfterThePlanIsNotFollowed) {
    const std::string privateFolder = world.MakeFolder("private");
    const Tree secrets = {{"a.txt", Text("secret a")}, {"b.txt", Text("secret b")}};
    const Tree old = {{"a.txt", Text("a")}, {"b.txt", Text("b")}};
    world.Write(privateFolder, secrets);
    world.Write(destination, mirrored);
    world.Write(destination, {{"old", old}});
    job.IdleCheck = 1;
    // One wait before each entry looked at (three at the top, two in old), then the first
    // removal's.
    int waits = 0;
    idle.answer = [&] {
        if (stopper->phase() == Phase::Deleting && ++waits == 6) {
            EXPECT_EQ(std::rename(Copy("old").c_str(), Copy("aside").c_str()), 0);
            EXPECT_EQ(symlink(privateFolder.c_str(), Copy("old").c_str()), 0);
        }
        return true;
    };

    Run();

    EXPECT_EQ(waits, 8);
    EXPECT_EQ(world.Read(privateFolder), secrets);
    Tree expected = mirrored;
    expected["aside"] = old;
    EXPECT_EQ(world.Read(destination), expected);
    EXPECT_EQ(world.Read(world.TrashFiles()), Tree{});
    EXPECT_EQ(DayFile(), "");
}

// Makes, in the folder shared, a folder name holding the second account's own empty a.txt and
// b.txt of the fake clock's time (so a source holding them as well copies nothing), or a link
// name to target.
void MakeFolderOrLink(int shared, const char* name, bool link, const std::string& target) {
    if (link) {
        (void)!symlinkat(target.c_str(), shared, name);
        return;
    }
    if (mkdirat(shared, name, 0755) != 0) return;
    const int folder = openat(shared, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const struct timespec times[2] = {{kNow, 0}, {kNow, 0}};
    for (const char* file : {"a.txt", "b.txt"}) {
        const int fd = openat(folder, file, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            futimens(fd, times);
            close(fd);
        }
    }
    close(folder);
}

// One step of the second account: the folder "old" and a link "spare" to the user's private
// folder change places, and whichever a run took away is put back.
void SwapOldForALink(int shared, const std::string& privateFolder) {
    struct stat old {};
    struct stat spare {};
    const bool hasOld = fstatat(shared, "old", &old, AT_SYMLINK_NOFOLLOW) == 0;
    const bool hasSpare = fstatat(shared, "spare", &spare, AT_SYMLINK_NOFOLLOW) == 0;
    if (!hasOld)
        MakeFolderOrLink(shared, "old", hasSpare && !S_ISLNK(spare.st_mode), privateFolder);
    if (!hasSpare) {
        const bool oldIsLink =
            fstatat(shared, "old", &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(old.st_mode);
        MakeFolderOrLink(shared, "spare", !oldIsLink, privateFolder);
    }
    renameat2(shared, "old", shared, "spare", RENAME_EXCHANGE);
    std::this_thread::sleep_for(std::chrono::microseconds(20));
}

// A destination folder that a second account may write: between a run's look at a folder and
// its removals that account puts a link to the user's private folder in the folder's place, and
// back, over and over. Nothing of the private folder may go, whether the source lacks the
// folder (its files are extras) or has it.
TEST_F(MirrorDeletionTest, AFolderSwappedForALinkByAnotherAccountLeadsNowhere) {
    const Tree sources[] = {{}, {{"old", {{"a.txt", Text("")}, {"b.txt", Text("")}}}}};
    const std::string privateFolder = world.MakeFolder("private");
    const Tree secrets = {
        {"a.txt", Text("secret a")}, {"b.txt", Text("secret b")}, {"diary.txt", Text("secret")}};
    ASSERT_EQ(chmod(privateFolder.c_str(), 0700), 0);
    for (const Tree& source : sources) {
        SCOPED_TRACE(source.empty() ? "source lacks the folder" : "source has the folder");
        world.Write(privateFolder, secrets);
        world.Write(sourceRoot, source);
        world.Write(destination, {});
        ASSERT_EQ(chown(destination.c_str(), ScratchUser::kId, ScratchUser::kId), 0);
        ScratchUser other;
        std::string why;
        if (!other.Start(
                destination, [&](int shared) { SwapOldForALink(shared, privateFolder); }, &why)) {
            GTEST_SKIP() << why;
        }
        // The run lets the other account act before each entry it looks at and each removal.
        job.IdleCheck = 1;
        idle.answer = [] {
            std::this_thread::sleep_for(std::chrono::microseconds(20));
            return true;
        };
        for (int round = 0; round < 150; ++round) Run();
        other.Stop();

        EXPECT_EQ(world.Read(privateFolder), secrets);
    }
}

// A source that now holds only the two files of `mirrored` while the destination still holds
// many copies the source no longer has: a source emptied by accident, as far as a run can tell.
class MassDeletionTest : public MirrorDeletionTest {
  protected:
    // count extras at the top of the destination, beside what the source still has.
    Tree DestinationWithExtras(int count) const {
        Tree tree = mirrored;
        for (int i = 0; i < count; ++i) tree["old" + std::to_string(i) + ".jpg"] = Text("o");
        return tree;
    }
    std::string HeldLine(const char* result) const {
        return "2005/07/01\t" + RunFields() + "削除\t \t" + MassDeletionLogText(51) + "\t" +
               WithTrailingSeparator(destination) + "\t09:30:00\t" + result + "\r\n";
    }
    size_t TrashedCount() const { return world.Read(world.TrashFiles()).size(); }
};

TEST_F(MassDeletionTest, AnUnattendedRunKeepsEverythingAndReportsIt) {
    world.Write(destination, DestinationWithExtras(51));

    Run();

    EXPECT_EQ(world.Read(destination), DestinationWithExtras(51));
    EXPECT_EQ(outcome.HadError, 1);
    EXPECT_EQ(outcome.MassDeletionHeld, 51u);
    EXPECT_EQ(DayFile(), HeldLine("エラー"));
}

TEST_F(MassDeletionTest, AManualRunAsksAndDeletesOnlyOnYes) {
    for (const int answer : {kIdNo, kIdYes}) {
        SCOPED_TRACE(answer == kIdYes ? "yes" : "no");
        world.Write(destination, DestinationWithExtras(51));
        ScriptedPrompts user;
        user.Expect(MassDeletionQuestion(51), "確認", kMbYesNo | kMbIconExclamation, answer);
        job.AskBeforeMassDeletion = 1;
        targets.prompts = &user;

        Run();

        EXPECT_EQ(outcome.HadError, 0);
        EXPECT_EQ(outcome.MassDeletionHeld, 0u);
        if (answer == kIdNo) {
            EXPECT_EQ(world.Read(destination), DestinationWithExtras(51));
            EXPECT_EQ(DayFile(), HeldLine("中止"));
        } else {
            EXPECT_EQ(world.Read(destination), mirrored);
            EXPECT_EQ(TrashedCount(), 51u);
        }
    }
}

// Up to 50 entries, or not more than half of the destination, go without a question.
TEST_F(MassDeletionTest, SmallerDeletionsGoUnasked) {
    for (const int sourceFiles : {0, 51}) {
        const int extras = sourceFiles == 0 ? 50 : 51;
        SCOPED_TRACE(std::to_string(extras) + " extras beside " + std::to_string(sourceFiles));
        Tree source = mirrored;
        for (int i = 0; i < sourceFiles; ++i) source["s" + std::to_string(i) + ".txt"] = Text("s");
        world.Write(sourceRoot, source);
        Tree held = DestinationWithExtras(extras);
        for (const auto& [name, node] : source) held[name] = node;
        world.Write(destination, held);

        Run();

        EXPECT_EQ(world.Read(destination), source);
        EXPECT_EQ(outcome.MassDeletionHeld, 0u);
    }
}

}  // namespace
}  // namespace tv::test
