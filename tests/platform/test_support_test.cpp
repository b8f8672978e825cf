// The fixtures every other suite stands on: a tree must reach the disk as written, a script of
// questions must fail loudly when the program strays from it, and a world must leave nothing
// behind.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scoped_time_zone.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"
#include "tests/support/tree.h"

namespace tv::test {
namespace {

struct stat StatOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st;
}

TEST(TreeTest, WrittenTreeReadsBackWithContentTimesAndReadOnly) {
    TestWorld world;
    const std::string folder = world.MakeFolder("tree");
    const Tree tree = {
        {"docs",
         {{"a.txt", TreeFile{"alpha", 1000000000}},
          {"bin.dat", TreeFile{std::string("\0\xff\r\n", 4), 1700000000, kAttrReadOnly}},
          {"日本語.txt", TreeFile{"かな"}}}},
        {"empty", Tree{}},
        {"top.txt", TreeFile{""}},
    };
    world.Write(folder, tree);
    EXPECT_EQ(world.Read(folder), tree);

    // Check the disk itself, so a writer and a reader wrong in the same way cannot pass.
    const struct stat readOnly = StatOf(folder + "/docs/bin.dat");
    EXPECT_EQ(readOnly.st_mtim.tv_sec, 1700000000);
    EXPECT_EQ(readOnly.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH), 0u);
    EXPECT_EQ(readOnly.st_size, 4);
    EXPECT_NE(StatOf(folder + "/docs/a.txt").st_mode & S_IWUSR, 0u);
    EXPECT_EQ(StatOf(folder + "/top.txt").st_mtim.tv_sec, kDefaultMtime);
    EXPECT_TRUE(S_ISDIR(StatOf(folder + "/empty").st_mode));
}

TEST(TreeTest, MissingFolderReadsAsEmptyTree) {
    TestWorld world;
    EXPECT_EQ(world.Read(world.base() + "/absent"), Tree{});
}

TEST(TreeTest, PrintsEveryEntryWithEscapedContent) {
    const Tree tree = {
        {"d", {{"f", TreeFile{"a\"\x01", 5, kAttrReadOnly}}}},
        {"g", TreeFile{std::string(201, 'x'), 7}},
    };
    std::ostringstream out;
    PrintTo(tree, &out);
    EXPECT_EQ(out.str(),
              "{\n"
              "  d/\n"
              "    f = \"a\\\"\\x01\" mtime 5 attrs 0x1\n"
              "  g = 201 bytes \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\"... mtime 7\n"
              "}");
}

TEST(ScriptedPromptsTest, AnswersExpectedQuestionsInOrderAndRecordsThem) {
    ScriptedPrompts prompts;
    prompts.Expect("バックアップします。", "確認", kMbOkCancel | kMbIconQuestion, kIdOk);
    prompts.Expect("終了しますか", "確認", kMbYesNo, kIdNo);
    EXPECT_EQ(prompts.MessageBox("バックアップします。", "確認", kMbOkCancel | kMbIconQuestion),
              kIdOk);
    EXPECT_EQ(prompts.MessageBox("終了しますか", "確認", kMbYesNo), kIdNo);
    const std::vector<Question> asked = {
        {"バックアップします。", "確認", kMbOkCancel | kMbIconQuestion},
        {"終了しますか", "確認", kMbYesNo}};
    EXPECT_EQ(prompts.asked(), asked);
}

TEST(ScriptedPromptsTest, UnexpectedQuestionFailsPrintsItAndAnswersCancel) {
    static int answer = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompts prompts;
            answer = prompts.MessageBox("消えます", "注意", kMbOkCancel | kMbIconExclamation);
        },
        "unexpected question: text \"消えます\", caption \"注意\", flags 0x31");
    EXPECT_EQ(answer, kIdCancel);

    // A question that differs from the next expected one in its flags alone is unexpected too.
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompts prompts;
            prompts.Expect("消えます", "注意", kMbOk, kIdOk);
            answer = prompts.MessageBox("消えます", "注意", kMbOkCancel);
            prompts.MessageBox("消えます", "注意", kMbOk);
        },
        "the next expected was: text \"消えます\", caption \"注意\", flags 0x0");
    EXPECT_EQ(answer, kIdCancel);
}

TEST(ScriptedPromptsTest, QuestionNeverAskedFailsAtTheEnd) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompts prompts;
            prompts.Expect("終了しますか", "確認", kMbYesNo, kIdYes);
        },
        "expected question was never asked: text \"終了しますか\"");
}

TEST(FakeClockTest, SleepingAdvancesWholeSecondsAndCarriesTheRest) {
    FakeClock clock(100);
    clock.SleepMs(600);
    EXPECT_EQ(clock.Now(), 100);
    clock.SleepMs(600);
    EXPECT_EQ(clock.Now(), 101);
    clock.SleepMs(2800);  // 200 carried + 2800
    EXPECT_EQ(clock.Now(), 104);
    clock.Advance(10);
    EXPECT_EQ(clock.Now(), 114);
}

TEST(FakeClockTest, SetLocalUsesTheLocalCalendar) {
    const ScopedTimeZone zone("Asia/Tokyo");
    FakeClock clock;
    clock.SetLocal(2005, 7, 1, 18, 30, 0);
    EXPECT_EQ(clock.Now(), 1120210200);  // 09:30 UTC
}

TEST(TestWorldTest, PointsTheEnvironmentInsideAndRestoresIt) {
    setenv("HOME", "/nowhere/home", 1);
    unsetenv("XDG_RUNTIME_DIR");
    std::string base;
    {
        TestWorld world;
        base = world.base();
        EXPECT_EQ(std::getenv("HOME"), world.home());
        for (const char* name :
             {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
            ASSERT_NE(std::getenv(name), nullptr) << name;
            EXPECT_EQ(std::string(std::getenv(name)).rfind(base + "/", 0), 0u) << name;
        }
        EXPECT_EQ(StatOf(std::getenv("XDG_RUNTIME_DIR")).st_mode & 0777, 0700u);
        EXPECT_TRUE(S_ISDIR(StatOf(world.programDir() + "/Log").st_mode));
        EXPECT_TRUE(S_ISDIR(StatOf(world.configDir()).st_mode));
        EXPECT_TRUE(S_ISDIR(StatOf(world.locations().documentsDir).st_mode));
        EXPECT_EQ(world.TrashFiles(), std::string(std::getenv("XDG_DATA_HOME")) + "/Trash/files");
        EXPECT_EQ(world.TrashInfo(), std::string(std::getenv("XDG_DATA_HOME")) + "/Trash/info");
    }
    EXPECT_STREQ(std::getenv("HOME"), "/nowhere/home");
    EXPECT_EQ(std::getenv("XDG_RUNTIME_DIR"), nullptr);
    EXPECT_FALSE(std::filesystem::exists(base));
}

TEST(TestWorldTest, RemovesReadOnlyFilesAndFolders) {
    std::string base;
    {
        TestWorld world;
        base = world.base();
        const std::string folder = world.MakeFolder("locked");
        world.Write(folder, {{"inner", {{"f", TreeFile{"x", 1, kAttrReadOnly}}}}});
        chmod((folder + "/inner").c_str(), 0500);
        chmod(folder.c_str(), 0500);
    }
    EXPECT_FALSE(std::filesystem::exists(base));
}

TEST(TestWorldTest, AddDrivePinsANewFolderUnderItsLetter) {
    TestWorld world;
    const std::string root = world.AddDrive('E', kDriveRemovable, 0x1234ABCDu, "CARD");
    EXPECT_EQ(root, world.base() + "/drive_E/");
    EXPECT_EQ(world.root('E'), root);
    EXPECT_TRUE(S_ISDIR(StatOf(root).st_mode));
    const DriveInfo* drive = world.drives().Find('E');
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(drive->type, kDriveRemovable);
    EXPECT_TRUE(drive->hasSerial);
    EXPECT_EQ(drive->serial, 0x1234ABCDu);
    EXPECT_EQ(drive->label, "CARD");
    EXPECT_EQ(world.root('F'), "");
}

}  // namespace
}  // namespace tv::test
