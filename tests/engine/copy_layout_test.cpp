#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/held_lock.h"

namespace tv::test {
namespace {

constexpr int64_t kDay = 86400;

// Windows drops the trailing dot of a name it is given, so no file can be made there by a name
// that ends in one.
#ifdef _WIN32
constexpr bool kNamesKeepATrailingDot = false;
#else
constexpr bool kNamesKeepATrailingDot = true;
#endif

TreeFile Text(const std::string& content, int64_t mtime = kNow, uint32_t attrs = 0) {
    return TreeFile{.content = content, .mtime = mtime, .attrs = attrs};
}

using CopyLayoutTest = EngineTest;

TEST_F(CopyLayoutTest, WholeVolumeDropsTheDrivePartAndReplacesReadOnlyCopies) {
    world.Write(sourceRoot, {{"top.txt", Text("top")},
                             {"docs",
                              {{"a.txt", Text("new a", kNow, kAttrReadOnly)},
                               {"deep", {{"b.bin", Text(std::string(70000, 'b'))}}}}},
                             {"empty", {}}});
    world.Write(destination, {{"docs", {{"a.txt", Text("old", kNow - kDay, kAttrReadOnly)}}}});

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));

    const Tree expected = {{"top.txt", Text("top")},
                           {"docs",
                            {{"a.txt", Text("new a", kNow, kAttrReadOnly)},
                             {"deep", {{"b.bin", Text(std::string(70000, 'b'))}}}}}};
    EXPECT_EQ(world.Read(destination), expected);
}

TEST_F(CopyLayoutTest, FileDirectoryRunMirrorsBelowItsSourceFolderAndSkipsExcludedFolders) {
    MakeFileDirJob();
    const StringList excluded = {Path("data/skip")};
    job.ExcludedFolders = &excluded;
    world.Write(Path("data"), {{"x.txt", Text("x")},
                               {"skip", {{"s.txt", Text("s")}, {"in", {{"i.txt", Text("i")}}}}},
                               {"skipper", {{"k.txt", Text("k")}}}});

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));

    const Tree expected = {{"x.txt", Text("x")}, {"skipper", {{"k.txt", Text("k")}}}};
    EXPECT_EQ(world.Read(destination), expected);
}

TEST_F(CopyLayoutTest, WholeVolumeListsTheFilesOfAnExcludedRoot) {
    const StringList excluded = {sourceRoot};
    job.ExcludedFolders = &excluded;
    job.ExceptSubFolder = 1;
    world.Write(sourceRoot, {{"top.txt", Text("top")}, {"sub", {{"s.txt", Text("s")}}}});

    Run();

    EXPECT_EQ(world.Read(destination), (Tree{{"top.txt", Text("top")}}));
}

TEST_F(CopyLayoutTest, DatedFoldersHoldFlatCopiesByDayOfLastWrite) {
    job.Kind = Removable | DateFolders;
    world.Write(sourceRoot,
                {{"one", {{"a.txt", Text("same day")}}},
                 {"two", {{"a.txt", Text("same day")}, {"b.txt", Text("b", kNow - kDay)}}}});

    Run();

    const Tree expected = {{"2005年07月01日", {{"a.txt", Text("same day")}}},
                           {"2005年06月30日", {{"b.txt", Text("b", kNow - kDay)}}}};
    EXPECT_EQ(world.Read(destination), expected);
}

TEST_F(CopyLayoutTest, AFileGoneSinceTheListingMakesNoDatedFolder) {
    job.Kind = Removable | DateFolders;
    job.IdleCheck = 1;
    world.Write(sourceRoot, {{"a.txt", Text("a")}, {"b.txt", Text("b")}});
    idle.answer = [&] {
        // Both files go while the first is being copied: the second has no date left.
        if (stopper->phase() == Phase::Copying) {
            DeleteFile(Path("a.txt"));
            DeleteFile(Path("b.txt"));
        }
        return true;
    };

    EXPECT_EQ(Run(), static_cast<int>(FileResult::OpenError));

    EXPECT_EQ(world.Read(destination), (Tree{{"2005年07月01日", {}}}));
    EXPECT_EQ(outcome.HadError, 1);
}

TEST_F(CopyLayoutTest, ExtensionFoldersKeepOneGenerationPerChange) {
    job.ExtFolder = 1;
    Tree source = {{"pics", {{"photo.jpg", Text("v1", kNow - 3 * kDay)}}}, {"readme", Text("r")}};
    Tree first = {{"JPGフォルダ", {{"photo.jpg", Text("v1", kNow - 3 * kDay)}}},
                  {"拡張子なしフォルダ", {{"readme", Text("r")}}}};
    // A name that ends in a dot has an empty extension.
    if (kNamesKeepATrailingDot) {
        source["end."] = Text("e");
        first["フォルダ"] = Tree{{"end.", Text("e")}};
    }
    world.Write(sourceRoot, source);
    Run();
    EXPECT_EQ(world.Read(destination), first);

    world.Write(Path("pics"), {{"photo.jpg", Text("v2", kNow - 2 * kDay)}});
    Run();
    Tree second = first;
    second["JPGフォルダ"] = Tree{{"photo.jpg", Text("v2", kNow - 2 * kDay)}};
    second["1世代前JPGフォルダ"] = Tree{{"photo.jpg", Text("v1", kNow - 3 * kDay)}};
    EXPECT_EQ(world.Read(destination), second);

    world.Write(Path("pics"), {{"photo.jpg", Text("v3", kNow - kDay)}});
    Run();
    Tree third = second;
    third["JPGフォルダ"] = Tree{{"photo.jpg", Text("v3", kNow - kDay)}};
    third["1世代前JPGフォルダ"] = Tree{{"photo.jpg", Text("v2", kNow - 2 * kDay)}};
    third["2世代前JPGフォルダ"] = Tree{{"photo.jpg", Text("v1", kNow - 3 * kDay)}};
    EXPECT_EQ(world.Read(destination), third);

    Run();
    EXPECT_EQ(world.Read(destination), third) << "an unchanged source adds no generation";
    EXPECT_EQ(duplicates, kNamesKeepATrailingDot ? 3 : 2) << "each current copy equals its source";
}

TEST_F(CopyLayoutTest, AGenerationThatCannotMoveUpIsNotOverwritten) {
    job.ExtFolder = 1;
    const Tree generations = {{"JPGフォルダ", {{"p.jpg", Text("v2", kNow - kDay)}}},
                              {"1世代前JPGフォルダ", {{"p.jpg", Text("v1", kNow - 2 * kDay)}}}};
    world.Write(destination, generations);
    world.Write(sourceRoot, {{"p.jpg", Text("v3")}});
    {
        // Another program holds the oldest copy during the run: it cannot be read.
        const HeldLock holder(Copy("1世代前JPGフォルダ/p.jpg"));
        ASSERT_TRUE(holder.locked());

        EXPECT_EQ(Run(), static_cast<int>(FileResult::OpenError));
    }

    Tree expected = generations;
    expected["2世代前JPGフォルダ"] = Tree{};
    EXPECT_EQ(world.Read(destination), expected);
}

TEST_F(CopyLayoutTest, GenerationTiesPutTheSourceInTheCurrentFolder) {
    job.ExtFolder = 1;
    // An older copy of the same time but another size: a generation, not a duplicate.
    world.Write(destination, {{"JPGフォルダ", {{"p.jpg", Text("older bytes")}}}});
    world.Write(sourceRoot, {{"p.jpg", Text("src")}});

    Run();

    const Tree expected = {{"JPGフォルダ", {{"p.jpg", Text("src")}}},
                           {"1世代前JPGフォルダ", {{"p.jpg", Text("older bytes")}}}};
    EXPECT_EQ(world.Read(destination), expected);
}

}  // namespace
}  // namespace tv::test
