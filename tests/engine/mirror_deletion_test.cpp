#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>

#include "tests/engine/engine_fixture.h"

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
    EXPECT_EQ(job.HadError, 1);
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

}  // namespace
}  // namespace tv::test
