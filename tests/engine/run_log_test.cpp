#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tv::test {
namespace {

using RunLogTest = EngineTest;

// Folder creation, a copy, a skip with its message and a deletion, as the day file holds them
// and as the window is told.
TEST_F(RunLogTest, EachStepIsOneLineOfTheDayFile) {
    MakeFileDirJob();
    job.ExceptHidden = 1;
    job.ForceMirror = 1;
    const std::string d = world.root('D');
    const std::string e = sourceRoot;
    world.Write(Path("data"), {{"sub", {{"a.txt", TreeFile{.content = "a"}}}}});

    Run();

    const std::string head = "2005/07/01\tRemovableMedia\t \tE\t自動\tミラーリング\t";
    std::string expected = head + "フォルダ作成\tbk\t" + e + "data/sub\t" + d +
                           "bk\t09:30:00\tＯＫ\r\n" + head + "フォルダ作成\tC3F2\t" + e +
                           "data/sub\t" + d + "bk/C3F2\t09:30:00\tＯＫ\r\n" + head +
                           "フォルダ作成\tsub\t" + e + "data/sub\t" + d +
                           "bk/C3F2/sub\t09:30:00\tＯＫ\r\n" + head + "ファイル作成\ta.txt\t" + e +
                           "data/sub/a.txt\t" + d + "bk/C3F2/sub/a.txt\t09:30:00\tＯＫ\r\n";
    EXPECT_EQ(DayFile(), expected);

    clock.Advance(60);
    world.Write(Path("data"), {{"sub", {{".h", TreeFile{.content = "h"}}}}});
    world.Write(destination, {{"old.txt", TreeFile{.content = "o"}}});
    window.events.clear();

    Run();

    expected += head + "ファイル作成\t.h\t" + e + "data/sub/.h\t" + d +
                "bk/C3F2/sub/.h\t09:31:00\tスキップ\r\n" + head +
                "削除\told.txt\tマスターになし\t" + d +
                "bk/C3F2/old.txt\t09:31:00\tゴミ箱に移動\r\n";
    EXPECT_EQ(DayFile(), expected);
    const std::vector<std::string> told = {
        "phase 4096", "total 2",
        "phase 8192", "lines " + e + "data/sub/.h | 隠しファイルのためコピーを行いません",
        "step",       "phase 16384",
    };
    EXPECT_EQ(window.events, told) << "an unchanged file passes silently";
}

TEST_F(RunLogTest, ARunWithoutALogRecordCopiesTheSameAndWritesNothing) {
    job.LogRecord = nullptr;
    targets.window = nullptr;
    const Tree source = {{"a.txt", TreeFile{.content = "a"}}, {"s", {{"b", TreeFile{}}}}};
    world.Write(sourceRoot, source);

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));

    EXPECT_EQ(world.Read(destination), source);
    EXPECT_EQ(world.Read(JoinPath(world.programDir(), "Log")), Tree{});
}

TEST_F(RunLogTest, AFolderThatCannotBeCreatedIsLoggedAndItsFileFails) {
    world.Write(world.root('D'), {{"bk", TreeFile{.content = "a file where a folder belongs"}}});
    world.Write(sourceRoot, {{"a.txt", TreeFile{.content = "a"}}});

    EXPECT_EQ(Run(), static_cast<int>(FileResult::OpenError));

    const std::string head = "2005/07/01\tRemovableMedia\t \tE\t自動\tミラーリング\t";
    const std::string d = world.root('D');
    EXPECT_EQ(DayFile(), head + "フォルダ作成\tbk\t" + BeforeLastSeparator(sourceRoot) + "\t" + d +
                             "bk\t09:30:00\tエラー\r\n" + head + "ファイル作成\ta.txt\t" +
                             Path("a.txt") + "\t" + d + "bk/C3F2/a.txt\t09:30:00\tエラー\r\n");
    EXPECT_EQ(outcome.HadError, 1);
}

}  // namespace
}  // namespace tv::test
