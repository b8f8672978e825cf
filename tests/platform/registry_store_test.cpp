#include "platform/registry_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::FileBytes;
using test::PutFileBytes;
using test::TestWorld;

const std::string kTestJapanese = "テスト";

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(0, stat(path.c_str(), &st)) << path;
    return st.st_mode & 07777;
}

class RegistryStoreTest : public testing::Test {
  protected:
    std::string RegPath() const { return JoinPath(world_.configDir(), kRegistryFileName); }

    TestWorld world_;
    RegistryStore store_{RegPath()};
};

TEST_F(RegistryStoreTest, WritesRegedit4FileWithEveryValueType) {
    {
        RegistryStore::Batch batch(store_);
        EXPECT_TRUE(store_.WriteDword("Directory", "LastDrive", 0x45));
        EXPECT_TRUE(store_.WriteString("Directory", "Path", "C:\\\"a\"\\" + kTestJapanese));
        EXPECT_TRUE(store_.WriteString("Directory", "Lines", "1\r\n2"));
        EXPECT_TRUE(store_.WriteBinary("Network", "Pass1", std::string("\x00\xff\x5c", 3)));
        EXPECT_TRUE(store_.WriteBinary("Network", "User1", ""));
        EXPECT_TRUE(store_.WriteDword("Sound", "", 0xFFFFFFFF));
    }
    const std::string expected =
        "REGEDIT4\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext]\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext\\Directory]\r\n"
        "\"LastDrive\"=dword:00000045\r\n"
        "\"Lines\"=\"1\\r\\n2\"\r\n"
        "\"Path\"=\"C:\\\\\\\"a\\\"\\\\\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88\"\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext\\Network]\r\n"
        "\"Pass1\"=hex:00,ff,5c\r\n"
        "\"User1\"=hex:\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext\\Sound]\r\n"
        "@=dword:ffffffff\r\n"
        "\r\n";
    EXPECT_EQ(expected, FileBytes(RegPath()));
    EXPECT_EQ(0600u, ModeOf(RegPath()));
}

TEST_F(RegistryStoreTest, EveryTypeRoundTripsThroughTheFile) {
    const std::string zeros("\x00\x01\x00", 3);
    const std::string awkward = "\"q\" \\ \\\\ = ] [x] " + kTestJapanese + "\ttab\rcr\nlf";
    ASSERT_TRUE(store_.WriteDword("Directory", "Zero", 0));
    ASSERT_TRUE(store_.WriteDword("Directory", "Max", 0xFFFFFFFF));
    ASSERT_TRUE(store_.WriteString("Directory", awkward, awkward));
    ASSERT_TRUE(store_.WriteString("Directory", "Empty", ""));
    ASSERT_TRUE(store_.WriteBinary("Network", "Zeros", zeros));
    ASSERT_TRUE(store_.WriteBinary("Network", "None", ""));

    RegistryStore loaded(RegPath());
    ASSERT_TRUE(loaded.Load());
    uint32_t dword = 7;
    std::string text = "unchanged";
    EXPECT_TRUE(loaded.ReadDword("Directory", "Zero", &dword));
    EXPECT_EQ(0u, dword);
    EXPECT_TRUE(loaded.ReadDword("Directory", "Max", &dword));
    EXPECT_EQ(0xFFFFFFFFu, dword);
    EXPECT_TRUE(loaded.ReadString("Directory", awkward, &text));
    EXPECT_EQ(awkward, text);
    EXPECT_TRUE(loaded.ReadString("Directory", "Empty", &text));
    EXPECT_EQ("", text);
    EXPECT_TRUE(loaded.ReadBinary("Network", "Zeros", &text));
    EXPECT_EQ(zeros, text);
    text = "unchanged";
    EXPECT_TRUE(loaded.ReadBinary("Network", "None", &text));
    EXPECT_EQ("", text);
}

TEST_F(RegistryStoreTest, AbsentAndWrongTypeReadsLeaveTheOutputAlone) {
    ASSERT_TRUE(store_.WriteDword("Directory", "Number", 5));
    ASSERT_TRUE(store_.WriteString("Directory", "Text", "t"));
    ASSERT_TRUE(store_.WriteBinary("Directory", "Bytes", "b"));
    uint32_t dword = 99;
    std::string text = "before";
    EXPECT_FALSE(store_.ReadDword("Directory", "Missing", &dword));
    EXPECT_FALSE(store_.ReadDword("Directory", "Text", &dword));
    EXPECT_FALSE(store_.ReadDword("Other", "Number", &dword));
    EXPECT_FALSE(store_.ReadString("Directory", "Number", &text));
    EXPECT_FALSE(store_.ReadString("Directory", "Bytes", &text));
    EXPECT_FALSE(store_.ReadBinary("Directory", "Text", &text));
    EXPECT_FALSE(store_.ReadBinary("Directory", "number", &text));  // names are exact
    EXPECT_EQ(99u, dword);
    EXPECT_EQ("before", text);

    // A write of another type replaces the value; a delete removes it.
    ASSERT_TRUE(store_.WriteString("Directory", "Number", "five"));
    EXPECT_FALSE(store_.ReadDword("Directory", "Number", &dword));
    EXPECT_TRUE(store_.DeleteValue("Directory", "Number"));
    EXPECT_FALSE(store_.DeleteValue("Directory", "Number"));
    EXPECT_FALSE(store_.ReadString("Directory", "Number", &text));
}

TEST_F(RegistryStoreTest, ReadingASectionCreatesItInTheFile) {
    uint32_t dword = 0;
    EXPECT_FALSE(store_.ReadDword("Sound", "Voice", &dword));
    const std::string expected =
        "REGEDIT4\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext]\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext\\Sound]\r\n"
        "\r\n";
    EXPECT_EQ(expected, FileBytes(RegPath()));
}

TEST_F(RegistryStoreTest, MissingFileIsAnEmptyStoreAndAMissingFolderIsMadePrivate) {
    const std::string folder = JoinPath(world_.base(), "new/config");
    RegistryStore store(JoinPath(folder, kRegistryFileName));
    ASSERT_TRUE(store.Load());
    std::string text;
    EXPECT_FALSE(store.ReadString("Directory", "Path", &text));
    ASSERT_TRUE(store.WriteString("Directory", "Path", "x"));
    EXPECT_EQ(0700u, ModeOf(folder));
    EXPECT_EQ(0700u, ModeOf(JoinPath(world_.base(), "new")));
    EXPECT_EQ(0600u, ModeOf(store.path()));
}

TEST_F(RegistryStoreTest, BatchWritesOnceWhenTheOutermostBatchEnds) {
    {
        RegistryStore::Batch outer(store_);
        {
            RegistryStore::Batch inner(store_);
            ASSERT_TRUE(store_.WriteDword("Directory", "A", 1));
        }
        EXPECT_FALSE(PathExists(RegPath()));
        ASSERT_TRUE(store_.WriteDword("Directory", "B", 2));
        EXPECT_FALSE(PathExists(RegPath()));
    }
    RegistryStore loaded(RegPath());
    ASSERT_TRUE(loaded.Load());
    uint32_t a = 0, b = 0;
    EXPECT_TRUE(loaded.ReadDword("Directory", "A", &a));
    EXPECT_TRUE(loaded.ReadDword("Directory", "B", &b));
    EXPECT_EQ(1u, a);
    EXPECT_EQ(2u, b);
}

TEST_F(RegistryStoreTest, RefusesNamesTheFileCannotHold) {
    for (const std::string section : {"", "A\\B", "A\r", "A\nB", "\xff"}) {
        EXPECT_FALSE(store_.WriteDword(section, "x", 1)) << section;
        uint32_t dword = 0;
        EXPECT_FALSE(store_.ReadDword(section, "x", &dword)) << section;
    }
    EXPECT_FALSE(store_.WriteString("Directory", "\x83\x65", "x"));
    EXPECT_FALSE(store_.WriteString("Directory", "x", "\xc0\x80"));
    EXPECT_FALSE(PathExists(RegPath()));
}

const std::string kKeyLine = "[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext";

// Files in forms the writer never makes but that other editors do.
TEST(RegistryStoreParse, AcceptsWhatOtherEditorsWrite) {
    const std::string text =
        "\xEF\xBB\xBFREGEDIT4\n"
        "; a comment\n"
        "\n" +
        kKeyLine + "\\Directory]  \r\n" +
        "  \"Short\"=dword:5A\r\n"
        "\"Long\"=hex:00,01,\\\r\n"
        "  02,03,\\\n"
        "  ff\r\n"
        "\"Later\"=\"one\"\r\n"
        "\"Later\"=\"two\"\r\n"
        "\"Cp932\"=\"\x83\x65\x83\x58\x83\x67\x95\x5c\"\r\n" +
        kKeyLine + "\\Empty]\r\n" + kKeyLine + "\\Directory]\r\n" + "@=\"default\"";
    RegistrySections sections;
    ASSERT_TRUE(RegistryStore::Parse(text, &sections));
    ASSERT_EQ(2u, sections.size());
    EXPECT_TRUE(sections["Empty"].empty());
    auto& values = sections["Directory"];
    EXPECT_EQ(RegistryValue::Type::Dword, values["Short"].type);
    EXPECT_EQ(0x5Au, values["Short"].dword);
    EXPECT_EQ(RegistryValue::Type::Binary, values["Long"].type);
    EXPECT_EQ(std::string("\x00\x01\x02\x03\xff", 5), values["Long"].text);
    EXPECT_EQ("two", values["Later"].text);
    EXPECT_EQ(kTestJapanese + "表", values["Cp932"].text);
    EXPECT_EQ("default", values[""].text);
}

struct DamagedCase {
    const char* what;
    std::string text;
};

class RegistryStoreDamaged : public RegistryStoreTest,
                             public testing::WithParamInterface<DamagedCase> {};

// The store keeps what it held and the file stays as it was, so nothing is lost by a bad read.
TEST_P(RegistryStoreDamaged, IsRejectedWholeAndChangesNothing) {
    ASSERT_TRUE(store_.WriteDword("Directory", "Good", 42));
    PutFileBytes(RegPath(), GetParam().text);
    EXPECT_FALSE(store_.Load());
    uint32_t dword = 0;
    EXPECT_TRUE(store_.ReadDword("Directory", "Good", &dword));
    EXPECT_EQ(42u, dword);
    EXPECT_EQ(GetParam().text, FileBytes(RegPath()));
}

const std::string kSection = "REGEDIT4\r\n\r\n" + kKeyLine + "\\Directory]\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, RegistryStoreDamaged,
    testing::Values(DamagedCase{"Empty", ""},
                    DamagedCase{"NoHeader", kKeyLine + "\\D]\r\n\"a\"=dword:1\r\n"},
                    DamagedCase{"OtherHeader", "Windows Registry Editor Version 5.00\r\n"},
                    DamagedCase{"UnterminatedQuote", kSection + "\"a\"=\"text\r\n"},
                    DamagedCase{"UnterminatedName", kSection + "\"a=\"text\"\r\n"},
                    DamagedCase{"BadEscape", kSection + "\"a\"=\"C:\\temp\"\r\n"},
                    DamagedCase{"TextAfterQuote", kSection + "\"a\"=\"x\"y\r\n"},
                    DamagedCase{"BadHexDigit", kSection + "\"a\"=hex:0g\r\n"},
                    DamagedCase{"OneHexDigit", kSection + "\"a\"=hex:0,01\r\n"},
                    DamagedCase{"TrailingComma", kSection + "\"a\"=hex:01,\r\n"},
                    DamagedCase{"ContinuationAtEnd", kSection + "\"a\"=hex:01,\\\r\n"},
                    DamagedCase{"NineDigitDword", kSection + "\"a\"=dword:000000001\r\n"},
                    DamagedCase{"EmptyDword", kSection + "\"a\"=dword:\r\n"},
                    DamagedCase{"NegativeDword", kSection + "\"a\"=dword:-1\r\n"},
                    DamagedCase{"UnknownType", kSection + "\"a\"=hex(2):00,00\r\n"},
                    DamagedCase{"DeletionMark", kSection + "\"a\"=-\r\n"},
                    DamagedCase{"NoEquals", kSection + "\"a\" dword:1\r\n"},
                    DamagedCase{"ValueBeforeSection", "REGEDIT4\r\n\"a\"=dword:1\r\n"},
                    DamagedCase{"ValueOnTheKeyItself",
                                "REGEDIT4\r\n" + kKeyLine + "]\r\n\"a\"=dword:1\r\n"},
                    DamagedCase{"OtherKey", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n"},
                    DamagedCase{"KeyPrefixOnly", "REGEDIT4\r\n" + kKeyLine + "X]\r\n"},
                    DamagedCase{"NestedKey", "REGEDIT4\r\n" + kKeyLine + "\\A\\B]\r\n"},
                    DamagedCase{"UnclosedKey", "REGEDIT4\r\n" + kKeyLine + "\\A\r\n"},
                    DamagedCase{"StrayLine", kSection + "LastDrive=5\r\n"}),
    [](const testing::TestParamInfo<DamagedCase>& info) { return info.param.what; });

}  // namespace
}  // namespace tv
