#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "tests/engine/engine_fixture.h"
#include "tests/support/scoped_mount.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content) { return TreeFile{.content = content}; }

// Where the mirror goes: a FAT32 or exFAT medium through its FUSE driver, both folding case,
// or a plain folder, which tells case apart.
struct DestinationKind {
    const char* name;
    std::optional<FuseKind> fuse;
    bool foldsCase;
    // fusefat refuses to give a folder another case of its name (and a folder renamed there in
    // two steps loses what it holds), so such a folder keeps its first spelling.
    bool renamesFolders;
    bool keepsTimes;  // fusefat dates every file it writes by the clock
};

// The tree with every file's time set aside, for a destination that keeps none.
Tree WithoutTimes(Tree tree) {
    for (auto& [name, node] : tree) {
        if (node.isFile) {
            node.file.mtime = kDefaultMtime;
        } else {
            node.children = WithoutTimes(std::move(node.children));
        }
    }
    return tree;
}

class CaseFoldingDestinationTest : public EngineTest,
                                   public ::testing::WithParamInterface<DestinationKind> {
  protected:
    CaseFoldingDestinationTest() { job.ForceMirror = 1; }

    void SetUp() override {
        if (!GetParam().fuse) return;
        medium_.emplace(ScopedMount::FuseImage(*GetParam().fuse, JoinPath(world.base(), "d.img"),
                                               world.root('D')));
        if (!medium_->mounted()) GTEST_SKIP() << MountRefusedMessage(*medium_);
    }

    // The destination as a tree, with the times it keeps.
    Tree Copies() const {
        const Tree copies = world.Read(destination);
        return GetParam().keepsTimes ? copies : WithoutTimes(copies);
    }

    void RenameInSource(const std::string& from, const std::string& to) {
        ASSERT_EQ(std::rename(Path(from).c_str(), Path(to).c_str()), 0) << from;
    }

  private:
    std::optional<ScopedMount> medium_;
};

TEST_P(CaseFoldingDestinationTest, CaseOnlyRenamesKeepEveryCopyUnderTheSourcesSpelling) {
    world.Write(sourceRoot, {{"photo.jpg", Text("p")},
                             {"notes.TXT", Text("n")},
                             {"Album", {{"x.jpg", Text("x")}, {"inner", {{"y.jpg", Text("y")}}}}},
                             {"keep.txt", Text("k")}});
    ASSERT_EQ(Run(), static_cast<int>(FileResult::Copied));
    RenameInSource("photo.jpg", "Photo.JPG");
    RenameInSource("notes.TXT", "notes.txt");
    RenameInSource("Album", "album");
    const std::string logBefore = DayFile();

    ASSERT_EQ(Run(), static_cast<int>(FileResult::Copied));

    Tree expected = world.Read(sourceRoot);
    if (!GetParam().renamesFolders) {
        expected["Album"] = expected["album"];
        expected.erase("album");
    }
    EXPECT_EQ(Copies(), expected);
    EXPECT_EQ(job.HadError, 0);
    // The copies were there all along: on a destination that folds case nothing is copied
    // or trashed, where case tells names apart the old spellings are extras.
    const bool wroteLines = DayFile() != logBefore;
    EXPECT_EQ(wroteLines, !GetParam().foldsCase) << DayFile();

    const std::string logAfter = DayFile();
    ASSERT_EQ(Run(), static_cast<int>(FileResult::Copied));
    EXPECT_EQ(DayFile(), logAfter);
    EXPECT_EQ(Copies(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, CaseFoldingDestinationTest,
    ::testing::Values(DestinationKind{"Fat32", FuseKind::Fat32, true, false, false},
                      DestinationKind{"Exfat", FuseKind::Exfat, true, true, true},
                      DestinationKind{"PlainFolder", std::nullopt, false, true, true}),
    [](const ::testing::TestParamInfo<DestinationKind>& info) { return info.param.name; });

}  // namespace
}  // namespace tv::test
