// The list file "フォルダ設定.txt": its bytes as written, and how lines become list entries.
#include "settings/list_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/settings/settings_world.h"
#include "tests/support/file_bytes.h"

namespace tv::test {
namespace {

using Lines = std::vector<std::string>;

class SettingsListFile : public ::testing::Test {
  protected:
    std::string Path() const { return ListFilePath(settings.world().programDir()); }
    std::string Bytes() const { return FileBytes(Path()); }
    void WriteBytes(const std::string& bytes) const { PutFileBytes(Path(), bytes); }

    SettingsWorld settings;
};

TEST_F(SettingsListFile, SavingWritesTheTimeLineAndTheFourSectionsInOrder) {
    SettingsRecord record = DefaultSettings(settings.context());
    record.FileList = {"/data/a", "/data/フォルダ"};
    record.ExtList = {"tmp", "", " bak "};
    record.IncExtList = {"doc", "two\nlines"};
    ASSERT_TRUE(SaveSettings(record, settings.context()));

    EXPECT_EQ(Bytes(),
              "2005年07月01日 09:30:00\r\n"
              "[FILE]\r\n/data/a\r\n/data/フォルダ\r\n"
              "[EXCEPT]\r\n"
              "[EXT]\r\ntmp\r\n\r\n bak \r\n"
              "[INCEXT]\r\ndoc\r\n");
}

TEST_F(SettingsListFile, ReadingTakesEachListFromItsOwnSection) {
    struct Case {
        const char* name;
        std::string bytes;
        Lines files, excepts, exts, incExts;
    };
    const Lines priorFiles = {"prior file"}, priorExcepts = {"prior except"},
                priorExts = {"prior ext"}, priorIncExts = {"prior incext"};
    const Case cases[] = {
        {"sections in another order",
         "2005年07月01日 09:30:00\r\n[EXT]\r\ntmp\r\n[FILE]\r\n/a\r\n[INCEXT]\r\ndoc\r\n"
         "[EXCEPT]\r\n/x\r\n",
         {"/a"},
         {"/x"},
         {"tmp"},
         {"doc"}},
        {"a repeated line is held once",
         "[FILE]\r\n/a\r\n/b\r\n/a\r\n[EXT]\r\ntmp\r\ntmp\r\n",
         {"/a", "/b"},
         priorExcepts,
         {"tmp"},
         priorIncExts},
        {"missing sections keep their lists",
         "[EXCEPT]\r\n/x\r\n",
         priorFiles,
         {"/x"},
         priorExts,
         priorIncExts},
        {"empty lines are entries, nothing is trimmed",
         "[EXT]\r\n\r\n tmp \r\n\r\n[INCEXT]\r\n\r\n",
         priorFiles,
         priorExcepts,
         {"", " tmp "},
         {""}},
        {"the last header of a list counts",
         "[FILE]\r\n/old\r\n[EXT]\r\nold\r\n[FILE]\r\n/new\r\n",
         {"/new"},
         priorExcepts,
         {"old"},
         priorIncExts},
        {"a header followed at once by another empties its list",
         "[FILE]\r\n[EXT]\r\n",
         {},
         priorExcepts,
         {},
         priorIncExts},
        {"LF line ends and a last line without one",
         "[FILE]\n/a\n[EXT]\ntmp",
         {"/a"},
         priorExcepts,
         {"tmp"},
         priorIncExts},
        {"a Shift-JIS line is read as such",
         "[FILE]\r\n/\x83\x74\x83\x48\x83\x8b\x83\x5f\r\n",
         {"/フォルダ"},
         priorExcepts,
         priorExts,
         priorIncExts},
        {"headers match whole lines only",
         "[FILE]\r\n [EXT]\r\n[EXT] \r\n[ext]\r\n",
         {" [EXT]", "[EXT] ", "[ext]"},
         priorExcepts,
         priorExts,
         priorIncExts},
        {"no header at all", "/a\r\ntmp\r\n", priorFiles, priorExcepts, priorExts, priorIncExts},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(c.bytes);
        SettingsRecord record;
        record.FileList = priorFiles;
        record.ExceptList = priorExcepts;
        record.ExtList = priorExts;
        record.IncExtList = priorIncExts;
        ASSERT_TRUE(ReadListFile(record, settings.world().programDir()));
        EXPECT_EQ(record.FileList, c.files);
        EXPECT_EQ(record.ExceptList, c.excepts);
        EXPECT_EQ(record.ExtList, c.exts);
        EXPECT_EQ(record.IncExtList, c.incExts);
    }
}

TEST_F(SettingsListFile, AMissingFileIsCreatedEmptyAndChangesNoList) {
    SettingsRecord record;
    record.FileList = {"/kept"};
    ASSERT_TRUE(ReadListFile(record, settings.world().programDir()));
    EXPECT_EQ(record.FileList, Lines{"/kept"});
    EXPECT_TRUE(std::ifstream(std::filesystem::u8path(Path())).good());
    EXPECT_EQ(Bytes(), "");
}

}  // namespace
}  // namespace tv::test
