// Media kinds from product texts, and the texts that go with each kind.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cardprobe/cardprobe.h"

namespace tv::test {
namespace {

TEST(ClassifyTest, ProductTextsGiveTheirKinds) {
    struct Case {
        const char* text;
        int kind;
    } cases[] = {
        {"USB MEMORY", 128},
        {"COMPACTFLASH", 1},
        {"SD/MMC", 24},
        {"sd/mmc reader", 24},  // case does not matter
        {"CF/SM/MS/SD Combo", 1 + 2 + 32 + 8},
        {"Multi Media Card Slot", 16},
        {"MicroDrive 1GB", 4},
        {"Memory Stick PRO", 32},
        {"USB HDD", 4096},
        {"USB Floppy", 512},
        {"MINIATYUA", 256},
        {"Flash Disk", 0},
        {"", 0},
        {nullptr, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Classify(c.text), c.kind) << (c.text ? c.text : "(null)");
    }
}

TEST(ClassifyTest, OnlyTheFirst255BytesAreSearched) {
    const std::string padding(253, '.');
    EXPECT_EQ(Classify((padding + "CF").c_str()), 1);   // ends at byte 255
    EXPECT_EQ(Classify((padding + ".CF").c_str()), 0);  // starts at byte 255
}

TEST(MediaKindTableTest, ListEntriesFollowTheCodes) {
    const MediaKindText* table = MediaKindTable();
    EXPECT_STREQ(table[0].listName, "なし");
    for (int i = 1; i <= CARDPROBE_MEDIA_KIND_COUNT; ++i) {
        EXPECT_EQ(table[i].code, 1 << (i - 1)) << i;
        EXPECT_EQ(FindMediaKind(table[i].code), &table[i]) << i;
        const std::size_t width = std::strlen(table[i].shortLabel);
        EXPECT_TRUE(width == 5 || width == 6) << table[i].shortLabel;
    }
    EXPECT_STREQ(FindMediaKind(kMediaUsbMemory)->voiceFile, "09_usbmemory.mp3");
    EXPECT_STREQ(FindMediaKind(kMediaUsbHdd)->listName, "USB HardDisk");
    EXPECT_STREQ(FindMediaKind(kMediaFloppy)->longName, "Floppy Drive");
}

TEST(MediaKindTableTest, SumsAndUnknownCodesAreOther) {
    for (int code : {0, 24, 3, CARDPROBE_MEDIA_CANCELLED, -1, 1 << 20}) {
        const MediaKindText* other = FindMediaKind(code);
        EXPECT_STREQ(other->longName, "メディア") << code;
        EXPECT_STREQ(other->voiceFile, "15_new_removable.mp3") << code;
        EXPECT_STREQ(other->shortLabel, "RM  ") << code;
    }
}

}  // namespace
}  // namespace tv::test
