#include "settings/option_file.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "settings/option_body.h"
#include "tests/settings/owner_only_file.h"
#include "tests/settings/settings_values.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

constexpr char kHeader[] = "==Tessaravine VerX.X==";

class OptionFileTest : public ::testing::Test {
  protected:
    std::string PathOf(const std::string& name) const { return JoinPath(world_.base(), name); }
    std::string Written(const std::string& name, const std::string& bytes) {
        EXPECT_TRUE(WriteFileAtomically(PathOf(name), bytes));
        return PathOf(name);
    }
    static std::string BodyOf(const SettingsRecord& record) {
        std::string body;
        EXPECT_TRUE(WriteOptionBody(record, &body));
        return body;
    }
    void ExpectNotAnOptionFile() {
        prompts_.Expect("Tessaravineのオプションファイルではありません", "情報",
                        kMbOk | kMbIconExclamation, kIdOk);
    }

    TestWorld world_;
    ScriptedPrompts prompts_;
};

TEST_F(OptionFileTest, ExportWritesHeaderAndBodyAndImportGivesTheRecordBack) {
    const SettingsRecord source = DistinctSettings("/エクスポート");
    const std::string path = PathOf("settings.dat");
    ASSERT_TRUE(ExportOptions(source, path));

    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, &bytes));
    EXPECT_EQ(std::string(kHeader) + BodyOf(source), bytes);
    ExpectOwnerOnlyFile(path);  // the file holds the credentials

    SettingsRecord target = DistinctSettings("/target");
    target.HDBackupDrive = 42;
    target.UseDustBox = 0;
    ASSERT_TRUE(ImportOptions(path, target, prompts_));
    SettingsRecord wanted = source;
    wanted.HDBackupDrive = 42;
    wanted.UseDustBox = 0;
    ExpectSameSettings(wanted, target);
}

TEST_F(OptionFileTest, AFileThatIsNotAWholeOptionFileIsToldAndChangesNothing) {
    const std::string body = BodyOf(DistinctSettings("/file"));
    const std::pair<const char*, std::string> files[] = {
        {"another header", "==Tessaravine VerY.Y==" + body},
        {"shorter than the header", "==Tessaravine"},
        {"empty", ""},
        {"header only", kHeader},
        {"body cut short", kHeader + body.substr(0, body.size() - 1)},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const SettingsRecord before = DistinctSettings("/before");
        SettingsRecord record = before;
        ExpectNotAnOptionFile();
        EXPECT_FALSE(ImportOptions(Written("damaged.dat", bytes), record, prompts_));
        ExpectSameSettings(before, record);
    }
}

TEST_F(OptionFileTest, AFileThatCannotBeOpenedIsRefusedSilently) {
    SettingsRecord record = DistinctSettings("/x");
    EXPECT_FALSE(ImportOptions(PathOf("missing.dat"), record, prompts_));
    EXPECT_FALSE(ImportOptions(world_.base(), record, prompts_)) << "a folder";
    EXPECT_TRUE(prompts_.asked().empty());
}

TEST_F(OptionFileTest, ExportFailsWithoutAFileWhenItCannotBeWrittenOrReadBack) {
    EXPECT_FALSE(ExportOptions(DistinctSettings("/x"), PathOf("no folder/settings.dat")));

    SettingsRecord tooLong = DistinctSettings("/x");
    tooLong.FileList.push_back("/" + std::string(kMaxBodyTextBytes, 'f'));
    EXPECT_FALSE(ExportOptions(tooLong, PathOf("long.dat")));
    EXPECT_FALSE(PathExists(PathOf("long.dat")));
}

}  // namespace
}  // namespace tv::test
