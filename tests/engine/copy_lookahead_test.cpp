// The look ahead marks only copies that need nothing, and a run copies exactly what it would
// copy without it.
#include "engine/copy/copy_lookahead.h"

#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/listing/listed_file.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/tree.h"

namespace tv::test {
namespace {

constexpr int kFolders = 6;
constexpr int kFilesPerFolder = 100;  // 600 files: enough for a look ahead

std::string FileName(int i) { return "f" + std::to_string(i) + ".txt"; }

Tree FolderOfFiles(int64_t mtime) {
    Tree folder;
    for (int i = 0; i < kFilesPerFolder; ++i) folder[FileName(i)] = TreeFile{"abc", mtime};
    return folder;
}

class CopyLookaheadTest : public EngineTest {
  protected:
    CopyLookaheadTest() {
        MakeFileDirJob();
        Tree source;
        for (int f = 0; f < kFolders; ++f) source["d" + std::to_string(f)] = FolderOfFiles(kNow);
        world.Write(job.Source, source);
    }

    std::deque<ListedFile> Listing() const {
        std::deque<ListedFile> files;
        for (int f = 0; f < kFolders; ++f) {
            for (int i = 0; i < kFilesPerFolder; ++i) {
                const std::string path =
                    JoinPath(job.Source, "d" + std::to_string(f) + "/" + FileName(i));
                FileStatus status;
                EXPECT_TRUE(GetFileStatus(path, &status));
                files.push_back(ListedFileOf(path, status));
            }
        }
        return files;
    }

    // What the look ahead saw of every file, given all the time it needs.
    std::vector<bool> Verdicts(std::deque<ListedFile> files) {
        const NameRefusals refusesNothing;
        CopyLookahead lookahead(job, world.drives(), refusesNothing);
        for (ListedFile& file : files) lookahead.Listed(file);
        lookahead.Finish();
        std::vector<bool> verdicts;
        for (size_t i = 0; i < files.size(); ++i) {
            verdicts.push_back(lookahead.SawCurrent(i, files[i]));
        }
        return verdicts;
    }

    static std::vector<bool> Folder(const std::vector<bool>& verdicts, int f) {
        return {verdicts.begin() + f * kFilesPerFolder,
                verdicts.begin() + (f + 1) * kFilesPerFolder};
    }
};

TEST_F(CopyLookaheadTest, MarksOnlyCopiesThatNeedNothing) {
    // d0: every copy current; d1: every copy older; d2: no copies folder; d3: a copy
    // missing; d4: a link in the folder's place, to current copies; d5: copies newer.
    world.Write(Copy("d0"), FolderOfFiles(kNow));
    world.Write(Copy("d1"), FolderOfFiles(kNow - 60));
    Tree d3 = FolderOfFiles(kNow);
    d3.erase(FileName(7));
    world.Write(Copy("d3"), d3);
    world.Write(JoinPath(world.root('D'), "elsewhere"), FolderOfFiles(kNow));
    ASSERT_EQ(symlink(JoinPath(world.root('D'), "elsewhere").c_str(), Copy("d4").c_str()), 0);
    world.Write(Copy("d5"), FolderOfFiles(kNow + 60));

    const std::vector<bool> verdicts = Verdicts(Listing());

    const std::vector<bool> all(kFilesPerFolder, true);
    const std::vector<bool> none(kFilesPerFolder, false);
    std::vector<bool> allBut7 = all;
    allBut7[7] = false;
    EXPECT_EQ(Folder(verdicts, 0), all);
    EXPECT_EQ(Folder(verdicts, 1), none);
    EXPECT_EQ(Folder(verdicts, 2), none);
    EXPECT_EQ(Folder(verdicts, 3), allBut7);
    EXPECT_EQ(Folder(verdicts, 4), none);
    // A newer copy is passed over by the rules: it needs nothing either.
    EXPECT_EQ(Folder(verdicts, 5), all);
}

TEST_F(CopyLookaheadTest, DoesNotLookAheadForFewFilesOrForAFullBackup) {
    world.Write(destination, {{"d0", FolderOfFiles(kNow)}});
    std::deque<ListedFile> few = Listing();
    few.resize(20);
    EXPECT_EQ(Verdicts(few), std::vector<bool>(20, false));

    // A full backup compares the bytes of every copy: none is taken as current unseen.
    job.FullBackup = 1;
    const std::vector<bool> verdicts = Verdicts(Listing());
    EXPECT_EQ(Folder(verdicts, 0), std::vector<bool>(kFilesPerFolder, false));
}

ino_t InodeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_ino;
}

TEST_F(CopyLookaheadTest, ARunCopiesWhatChangedAndLeavesEveryCurrentCopyAlone) {
    job.ForceMirror = 1;
    Tree copies;
    for (int f = 0; f < kFolders; ++f) copies["d" + std::to_string(f)] = FolderOfFiles(kNow);
    // Spread over both ends of the listing, where the pass and the look ahead start.
    copies["d0"].children[FileName(3)].file.mtime = kNow - 60;
    copies["d5"].children.erase(FileName(98));
    copies["d2"].children[FileName(50)].file.content = "stale";
    copies["d2"].children[FileName(50)].file.mtime = kNow - 60;
    world.Write(destination, copies);
    const ino_t untouched = InodeOf(Copy("d5/" + FileName(97)));
    const ino_t untouchedFirst = InodeOf(Copy("d0/" + FileName(0)));

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));

    EXPECT_EQ(ReadTree(destination), ReadTree(job.Source));
    EXPECT_EQ(InodeOf(Copy("d5/" + FileName(97))), untouched);
    EXPECT_EQ(InodeOf(Copy("d0/" + FileName(0))), untouchedFirst);
    int copied = 0;
    for (const std::string& event : window.events) copied += event.rfind("lines ", 0) == 0;
    EXPECT_EQ(copied, 3);
}

// A run stopped while the look ahead still has files to look at ends at once, and the copies
// made until then are whole.
TEST_F(CopyLookaheadTest, ARunStoppedWhileListingOrCopyingEnds) {
    for (const Phase stopIn : {Phase::Counting, Phase::Copying}) {
        SCOPED_TRACE(static_cast<int>(stopIn));
        std::filesystem::remove_all(destination);
        job.IdleCheck = 1;
        int waits = 0;
        idle.answer = [&] {
            if (stopper->phase() == stopIn && ++waits == 300) stopper->RequestStop();
            return true;
        };

        EXPECT_EQ(Run(), stopIn == Phase::Counting ? 0 : static_cast<int>(FileResult::Cancelled));

        for (const auto& [name, folder] : ReadTree(destination)) {
            for (const auto& [file, node] : folder.children) {
                EXPECT_EQ(node.file, (TreeFile{"abc", kNow})) << name << "/" << file;
            }
        }
    }
}

}  // namespace
}  // namespace tv::test
