#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
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

    // The run's lines that report a file the destination does not hold, sorted.
    std::vector<std::string> ErrorLines() const {
        std::vector<std::string> lines;
        const std::string log = DayFile();
        for (size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            const std::string line = log.substr(start, end - start);
            if (line.size() >= 10 && line.compare(line.size() - 10, 10, "\tエラー") == 0) {
                lines.push_back(line);
            }
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    std::string ClashLine(const std::string& name) const {
        return "2005/07/01\t" + RunFields() + "ファイル作成\t" + AfterLastSeparator(name) + "\t" +
               Path(name) + "\t" + Copy(name) + "\t09:30:00\tエラー";
    }

    // Two names of a source folder in the order the listing meets them.
    std::pair<std::string, std::string> InListingOrder(const std::string& folder,
                                                       const std::string& one,
                                                       const std::string& other) const {
        DirectoryEnumerator entries;
        FileStatus entry;
        EXPECT_TRUE(entries.Open(Path(folder)));
        while (entries.Next(&entry)) {
            if (entry.name == one) return {JoinPath(folder, one), JoinPath(folder, other)};
            if (entry.name == other) return {JoinPath(folder, other), JoinPath(folder, one)};
        }
        ADD_FAILURE() << "neither " << one << " nor " << other << " listed";
        return {one, other};
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
    EXPECT_EQ(outcome.HadError, 0);
    // The copies were there all along: on a destination that folds case nothing is copied
    // or trashed, where case tells names apart the old spellings are extras.
    const bool wroteLines = DayFile() != logBefore;
    EXPECT_EQ(wroteLines, !GetParam().foldsCase) << DayFile();

    const std::string logAfter = DayFile();
    ASSERT_EQ(Run(), static_cast<int>(FileResult::Copied));
    EXPECT_EQ(DayFile(), logAfter);
    EXPECT_EQ(Copies(), expected);
}

// A pair in the source root, whose copies' folder is there, and one in a folder the first run
// makes.
TEST_P(CaseFoldingDestinationTest, TheSecondOfTwoNamesFoldingTogetherIsAnErrorOnEveryRun) {
    world.Write(sourceRoot, {{"a.txt", Text("lower")},
                             {"A.txt", Text("upper")},
                             {"docs", {{"Read.me", Text("mixed")}, {"READ.ME", Text("caps")}}}});
    world.Write(destination, {});
    const auto [first, second] = InListingOrder("", "a.txt", "A.txt");
    const auto [firstInDocs, secondInDocs] = InListingOrder("docs", "Read.me", "READ.ME");
    const Tree source = world.Read(sourceRoot);

    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        outcome.Unstorable = {};
        outcome.HadError = 0;
        ASSERT_EQ(Run(), static_cast<int>(FileResult::Copied));

        if (GetParam().foldsCase) {
            const std::string firstDoc = AfterLastSeparator(firstInDocs);
            const Tree held = {{first, source.at(first)},
                               {"docs", {{firstDoc, source.at("docs").children.at(firstDoc)}}}};
            EXPECT_EQ(Copies(), held);
            std::vector<std::string> expected;
            for (int line = 0; line < run; ++line) {
                expected.push_back(ClashLine(second));
                expected.push_back(ClashLine(secondInDocs));
            }
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(ErrorLines(), expected);
            EXPECT_EQ(outcome.Unstorable.caseClashes, 2u);
            EXPECT_EQ(outcome.HadError, 1);
        } else {
            EXPECT_EQ(Copies(), source);
            EXPECT_EQ(ErrorLines(), std::vector<std::string>{});
            EXPECT_EQ(outcome.Unstorable.caseClashes, 0u);
        }
    }
    EXPECT_EQ(DayFile().find("\t削除\t"), std::string::npos) << DayFile();
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, CaseFoldingDestinationTest,
    ::testing::Values(DestinationKind{"Fat32", FuseKind::Fat32, true, false, false},
                      DestinationKind{"Exfat", FuseKind::Exfat, true, true, true},
                      DestinationKind{"PlainFolder", std::nullopt, false, true, true}),
    [](const ::testing::TestParamInfo<DestinationKind>& info) { return info.param.name; });

}  // namespace
}  // namespace tv::test
