#include "settings/option_body.h"

#include <gtest/gtest.h>

#include <functional>

#include "settings/setting_fields.h"
#include "tests/settings/option_bytes.h"
#include "tests/settings/settings_values.h"

namespace tv::test {
namespace {

using namespace std::string_literals;

// The first bytes of the credential key stream are e9 b3 32: "abc" is stored as 88 d1 51, and
// "p\xb3w" as 99 00 45, with a zero byte inside.
const std::string kCipherWithZero = "p\xb3w";

SettingsRecord SmallRecord() {
    SettingsRecord r;
    r.Drives[0] = DriveEntry{"フロッピー (A:)", 2, DriveWork::ManualBackup, "/docs/RMA"};
    r.Synchronize = 1;
    r.SynchroDirectory = "/同期";
    r.SyncInterval = DateTime::FromTime(1, 30);
    r.SyncFullBackupCount = 10;
    r.FileList = {"/a", "/b"};
    r.User1 = "abc";
    r.ExtList = {"tmp"};
    r.IdleCheck = 1;
    return r;
}

// The body of SmallRecord, item by item; a test replaces a piece to damage it.
struct SmallBody {
    std::string driveA = "\x14\0\0\0フロッピー (A:)"s + "\x02\0\0\0\x01\0\0\0"s + Str("/docs/RMA");
    std::string otherDrives = OtherDrives();
    std::string driveUnitHead = Ints({1, 0}) + "\x07\0\0\0/同期"s;
    std::string syncInterval = "\x5a\0\0\0"s;  // 01:30 is 90 minutes
    std::string driveUnitTail = Ints({0, 0, 0, 0, 0, 0, 10, 0});
    std::string fileList = "\x02\0\0\0"s + "\x02\0\0\0/a"s + "\x02\0\0\0/b"s;
    std::string fileDirUnit = Str("") + "\xc3\xff\xff\xff"s + Ints({0, 0, 0, 0, 0});  // unset -61
    std::string removable = Ints({0, 0, 0, 0, 0, 0});
    std::string network = "\x03\0\0\0\x88\xd1\x51"s + Ints({0, 0, 0});
    std::string detailsHead = Ints({0, 0, 0}) + List({}) + Ints({0, 0});
    std::string exceptDate = "\x8b\xd8\xff\xff"s;  // unset: -10101
    std::string detailsMid =
        Ints({0, 0}) + List({"tmp"}) + List({}) + Ints({0, 0, 0, 0, 0, 0, 0, 0});
    std::string beforeLogDate = "\xff\xff\xff\xff"s;  // unset: -1
    std::string detailsTail = Ints({1});

    static std::string OtherDrives() {
        std::string bytes;
        for (int i = 1; i < kDriveLetterCount; ++i) bytes += Str("") + Ints({-1, 2}) + Str("");
        return bytes;
    }
    std::string All() const {
        return driveA + otherDrives + driveUnitHead + syncInterval + driveUnitTail + fileList +
               fileDirUnit + removable + network + detailsHead + exceptDate + detailsMid +
               beforeLogDate + detailsTail;
    }
};

std::string BodyOf(const SettingsRecord& record) {
    std::string body;
    EXPECT_TRUE(WriteOptionBody(record, &body));
    return body;
}

TEST(OptionBody, LayoutOfASmallRecordByteForByte) {
    EXPECT_EQ(SmallBody().All(), BodyOf(SmallRecord()));
}

TEST(OptionBody, GivesBackEveryFieldOfTheLayoutAndLeavesTheOthers) {
    SettingsRecord source = DistinctSettings("/転送元");
    source.Pass1 = kCipherWithZero;
    source.User2 = std::string(300, 'u');  // far beyond a 99-byte credential buffer
    SettingsRecord target = DistinctSettings("/target");
    target.ValidDrive = 0x4;
    target.LastDrive = 'C';
    target.HardDiskNumber = 1;
    target.HDBackupDrive = 9;
    target.UseDustBox = 0;

    const std::string body = BodyOf(source);
    EXPECT_EQ(std::string::npos, body.find(source.User1)) << "credentials are stored encrypted";
    EXPECT_NE(std::string::npos, body.find("\x03\0\0\0\x99\0\x45"s));
    size_t offset = 0;
    ASSERT_TRUE(ReadOptionBody(body, &offset, target));

    EXPECT_EQ(body.size(), offset);
    SettingsRecord wanted = source;
    wanted.ValidDrive = 0x4;
    wanted.LastDrive = 'C';
    wanted.HardDiskNumber = 1;
    wanted.HDBackupDrive = 9;
    wanted.UseDustBox = 0;
    ExpectSameSettings(wanted, target);
}

// A whole number of the table changes the body exactly when its row puts it in the body, and a
// body read back gives it again.
TEST(OptionBody, HoldsEveryWholeNumberWhoseRowPutsItInTheBody) {
    const SettingsRecord source = DistinctSettings("/source");
    const std::string sourceBody = BodyOf(source);
    for (const SettingField& field : SettingFields()) {
        if (field.kind != FieldKind::Int) continue;
        SettingsRecord changed = source;
        changed.*field.As<int32_t>() += 1;
        const std::string body = BodyOf(changed);
        EXPECT_EQ(field.inBody, body != sourceBody) << field.name;
        SettingsRecord read = source;
        size_t offset = 0;
        ASSERT_TRUE(ReadOptionBody(body, &offset, read)) << field.name;
        EXPECT_EQ(read.*field.As<int32_t>(),
                  field.inBody ? changed.*field.As<int32_t>() : source.*field.As<int32_t>())
            << field.name;
    }
}

TEST(OptionBody, ReadsBodiesOneAfterAnother) {
    const SettingsRecord first = DistinctSettings("/first");
    const SettingsRecord second = SmallRecord();
    const std::string bytes = BodyOf(first) + BodyOf(second);

    size_t offset = 0;
    SettingsRecord readFirst;
    SettingsRecord readSecond;
    ASSERT_TRUE(ReadOptionBody(bytes, &offset, readFirst));
    ASSERT_TRUE(ReadOptionBody(bytes, &offset, readSecond));

    EXPECT_EQ(bytes.size(), offset);
    EXPECT_EQ(BodyOf(first), BodyOf(readFirst));
    EXPECT_EQ(BodyOf(second), BodyOf(readSecond));
    EXPECT_FALSE(ReadOptionBody(bytes, &offset, readSecond)) << "nothing is left to read";
}

TEST(OptionBody, ListsAreReplacedWithEachNonEmptyEntryOnce) {
    SettingsRecord source = SmallRecord();
    source.FileList = {"/a", "", "/b", "/a"};
    source.ExceptList = {"/x", "/x"};
    SettingsRecord target = SmallRecord();
    target.FileList = {"/only in target"};

    size_t offset = 0;
    ASSERT_TRUE(ReadOptionBody(BodyOf(source), &offset, target));

    EXPECT_EQ((std::vector<std::string>{"/a", "/b"}), target.FileList);
    EXPECT_EQ((std::vector<std::string>{"/x"}), target.ExceptList);
}

TEST(OptionBody, StoredNumbersOfTimesDatesAndDayCounts) {
    struct Case {
        const char* name;
        std::string SmallBody::*piece;
        int32_t stored;
        DateTime SettingsRecord::*field;
        std::string wanted;
    };
    const Case cases[] = {
        {"interval 0", &SmallBody::syncInterval, 0, &SettingsRecord::SyncInterval,
         "1899-12-30 00:00:00"},
        {"interval 23:59", &SmallBody::syncInterval, 1439, &SettingsRecord::SyncInterval,
         "1899-12-30 23:59:00"},
        {"interval of 24 hours", &SmallBody::syncInterval, 1440, &SettingsRecord::SyncInterval,
         "unset"},
        {"date", &SmallBody::exceptDate, 20050701, &SettingsRecord::ExceptDate,
         "2005-07-01 00:00:00"},
        {"no such date", &SmallBody::exceptDate, 20050231, &SettingsRecord::ExceptDate, "unset"},
        {"day count", &SmallBody::beforeLogDate, 7, &SettingsRecord::BeforeLogDate,
         "2000-01-07 00:00:00"},
        {"day count above 100", &SmallBody::beforeLogDate, 131, &SettingsRecord::BeforeLogDate,
         "2000-01-31 00:00:00"},
        {"day count 0", &SmallBody::beforeLogDate, 0, &SettingsRecord::BeforeLogDate, "unset"},
    };
    for (const Case& c : cases) {
        SmallBody body;
        body.*c.piece = I32(c.stored);
        SettingsRecord record = DistinctSettings("/x");
        size_t offset = 0;
        ASSERT_TRUE(ReadOptionBody(body.All(), &offset, record)) << c.name;
        EXPECT_EQ(c.wanted, DateText(record.*c.field)) << c.name;
    }
}

TEST(OptionBody, ATruncatedBodyIsRefusedAtEveryLength) {
    const std::string body = SmallBody().All();
    const SettingsRecord before = DistinctSettings("/before");
    const std::string beforeBody = BodyOf(before);
    for (size_t length = 0; length < body.size(); ++length) {
        SettingsRecord record = before;
        size_t offset = 0;
        ASSERT_FALSE(ReadOptionBody(std::string_view(body).substr(0, length), &offset, record))
            << "length " << length;
        ASSERT_EQ(0u, offset) << "length " << length;
        ASSERT_EQ(beforeBody, BodyOf(record)) << "length " << length;
    }
}

TEST(OptionBody, DamagedLengthsAndCountsRefuseTheWholeBody) {
    const std::string rest = "/docs/RMA";
    const std::string tooLong(kMaxBodyTextBytes + 1, 'x');
    const std::pair<const char*, std::function<void(SmallBody&)>> cases[] = {
        {"negative text length", [](SmallBody& b) { b.driveA.replace(0, 4, I32(-1)); }},
        {"huge text length", [](SmallBody& b) { b.driveA.replace(0, 4, I32(0x7FFFFFFF)); }},
        {"text above the path limit",
         [&](SmallBody& b) {
             b.driveA = Str(tooLong) + Ints({2, 1}) + Str(rest);
         }},
        {"negative list count", [](SmallBody& b) { b.fileList = I32(-1); }},
        {"list count that cannot fit",
         [](SmallBody& b) { b.fileList = I32(0x7FFFFFFF) + Str("/a") + Str("/b"); }},
        {"list entry running past the end",
         [](SmallBody& b) { b.fileList = I32(2) + Str("/a") + I32(100000) + "/b"; }},
        {"negative credential length",
         [](SmallBody& b) {
             b.network = Ints({-3, 0, 0, 0});
         }},
    };
    for (const auto& [name, damage] : cases) {
        SmallBody body;
        damage(body);
        const SettingsRecord before = DistinctSettings("/before");
        SettingsRecord record = before;
        size_t offset = 0;
        EXPECT_FALSE(ReadOptionBody(body.All(), &offset, record)) << name;
        EXPECT_EQ(0u, offset) << name;
        SCOPED_TRACE(name);
        ExpectSameSettings(before, record);
    }
}

TEST(OptionBody, TextsUpToThePathLimitGoBothWaysAndLongerOnesAreNotWritten) {
    SettingsRecord record = SmallRecord();
    record.Directry2 = "/" + std::string(kMaxBodyTextBytes - 1, 'd');
    record.Pass2 = std::string(kMaxBodyTextBytes, 'p');
    SettingsRecord read;
    size_t offset = 0;
    ASSERT_TRUE(ReadOptionBody(BodyOf(record), &offset, read));
    EXPECT_EQ(record.Directry2, read.Directry2);
    EXPECT_EQ(record.Pass2, read.Pass2);

    record.ExtList.push_back(std::string(kMaxBodyTextBytes + 1, 'e'));
    std::string bytes = "kept";
    EXPECT_FALSE(WriteOptionBody(record, &bytes));
    EXPECT_EQ("kept", bytes);
}

}  // namespace
}  // namespace tv::test
