// Names a destination refuses are stored as U+F000 + their code and read back the same way;
// names it cannot hold even so are told apart from those it can.
#include "platform/name_mapping.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/refusing_names.h"

namespace tv {
namespace {

using test::RefusingWindowsCharacters;

// What NTFS with Windows names refuses: every mappable character, a trailing dot or space and
// the device names.
NameRefusals WindowsNames() { return RefusingWindowsCharacters(true, true, false); }

// exFAT's: the characters, not a trailing dot or space.
NameRefusals ExfatNames() {
    NameRefusals refusals = WindowsNames();
    refusals.trailingDot = false;
    refusals.trailingSpace = false;
    refusals.deviceNames = false;
    return refusals;
}

TEST(NameMapping, EachRefusedCharacterAndTrailingDotOrSpaceIsStoredAsPrivateUse) {
    struct Case {
        const char* label;
        std::string name;
        NameRefusals refusals;
        std::string stored;
    };
    const Case cases[] = {
        {"quote", "a\"b", WindowsNames(),
         "a\xEF\x80\xA2"
         "b"},
        {"star", "a*b", WindowsNames(),
         "a\xEF\x80\xAA"
         "b"},
        {"colon", "a:b.txt", WindowsNames(),
         "a\xEF\x80\xBA"
         "b.txt"},
        {"less", "a<b", WindowsNames(),
         "a\xEF\x80\xBC"
         "b"},
        {"greater", "a>b", WindowsNames(),
         "a\xEF\x80\xBE"
         "b"},
        {"question", "q?.txt", WindowsNames(), "q\xEF\x80\xBF.txt"},
        {"backslash", "a\\b", WindowsNames(),
         "a\xEF\x81\x9C"
         "b"},
        {"bar", "a|b", WindowsNames(),
         "a\xEF\x81\xBC"
         "b"},
        {"control 0x01",
         "a\x01"
         "b",
         WindowsNames(),
         "a\xEF\x80\x81"
         "b"},
        {"control 0x1F",
         "a\x1f"
         "b",
         WindowsNames(),
         "a\xEF\x80\x9F"
         "b"},
        {"every one", "<|>", WindowsNames(), "\xEF\x80\xBC\xEF\x81\xBC\xEF\x80\xBE"},
        {"trailing dot", "t.", WindowsNames(), "t\xEF\x80\xAE"},
        {"trailing space", "s ", WindowsNames(), "s\xEF\x80\xA0"},
        {"only the last dot", "t..", WindowsNames(), "t.\xEF\x80\xAE"},
        {"dot inside", "a.b c", WindowsNames(), "a.b c"},
        {"colon before a trailing dot", "a:.", WindowsNames(), "a\xEF\x80\xBA\xEF\x80\xAE"},
        {"exFAT keeps a trailing dot", "t.", ExfatNames(), "t."},
        {"exFAT maps a colon", "a:b", ExfatNames(),
         "a\xEF\x80\xBA"
         "b"},
        {"nothing refused", "a:b?. ", NameRefusals{}, "a:b?. "},
        {"other characters stay", "日本 +,;=[]#%", WindowsNames(), "日本 +,;=[]#%"},
        {"delete is no control here", "a\x7f", WindowsNames(), "a\x7f"},
        {"device names are not mapped", "CON", WindowsNames(), "CON"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StoredName(c.name, c.refusals), c.stored) << c.label;
        EXPECT_EQ(OriginalName(c.stored, c.refusals), c.name) << c.label;
    }
}

TEST(NameMapping, OnlyWhatTheFileSystemMapsIsMappedBack) {
    struct Case {
        const char* label;
        std::string stored;
        NameRefusals refusals;
        std::string original;
    };
    const Case cases[] = {
        {"a mapped dot inside stays",
         "a\xEF\x80\xAE"
         "b",
         WindowsNames(),
         "a\xEF\x80\xAE"
         "b"},
        {"exFAT maps no trailing dot", "t\xEF\x80\xAE", ExfatNames(), "t\xEF\x80\xAE"},
        {"nothing refused",
         "a\xEF\x80\xBA"
         "b",
         NameRefusals{},
         "a\xEF\x80\xBA"
         "b"},
        {"U+F000 itself", "a\xEF\x80\x80", WindowsNames(), "a\xEF\x80\x80"},
        {"beyond the mapped range", "a\xEF\x82\x80", WindowsNames(), "a\xEF\x82\x80"},
        {"cut short", "a\xEF\x80", WindowsNames(), "a\xEF\x80"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OriginalName(c.stored, c.refusals), c.original) << c.label;
    }
}

TEST(NameMapping, PathsAreMappedBelowTheirRootOnly) {
    const NameRefusals refusals = WindowsNames();
    EXPECT_EQ(StoredPathBelow("/m/b?k", "/m/b?k/a:b/c./d ", refusals),
              "/m/b?k/a\xEF\x80\xBA"
              "b/c\xEF\x80\xAE/d\xEF\x80\xA0");
    EXPECT_EQ(StoredPathBelow("/m/b?k/", "/m/b?k/x?/", refusals), "/m/b?k/x\xEF\x80\xBF/");
    EXPECT_EQ(StoredPathBelow("/m/bk", "/m/bk", refusals), "/m/bk");
    EXPECT_EQ(StoredPathBelow("/m/bk", "/m/bk2/a:b", refusals), "/m/bk2/a:b");
    EXPECT_EQ(OriginalPathBelow("/m/b?k",
                                "/m/b?k/a\xEF\x80\xBA"
                                "b/t\xEF\x80\xAE",
                                refusals),
              "/m/b?k/a:b/t.");
}

TEST(NameRefusals, DeviceNamesAndNamesBeyondAsciiCannotBeHeldWhereRefused) {
    NameRefusals ntfs = WindowsNames();
    NameRefusals fusefat = ExfatNames();
    fusefat.nonAscii = true;
    struct Case {
        std::string stored;
        bool onNtfs;
        bool onFusefat;
    };
    const Case cases[] = {
        {"CON", false, true},
        {"con", false, true},
        {"Aux.txt", false, true},
        {"NUL.tar.gz", false, true},
        {"PRN", false, true},
        {"COM1", false, true},
        {"LPT1.txt", false, true},
        {"LPT9.x", false, true},
        {"COM0", true, true},
        {"COM10", true, true},
        {"CONX", true, true},
        {"CON .txt", true, true},
        {"a.CON", true, true},
        {"CLOCK$", true, true},
        {"CON\xEF\x80\xAE", true, false},  // CON. stored mapped
        {"e\xC3\xA9", true, false},
        {"日本", true, false},
        {"a\xEF\x80\xBA"
         "b",
         true, false},
        {"plain.txt", true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanHoldName(c.stored, ntfs), c.onNtfs) << c.stored;
        EXPECT_EQ(CanHoldName(c.stored, fusefat), c.onFusefat) << c.stored;
        EXPECT_TRUE(CanHoldName(c.stored, NameRefusals{})) << c.stored;
    }
    EXPECT_FALSE(CanHoldPathBelow("/m/bk", "/m/bk/CON/a.txt", ntfs));
    EXPECT_TRUE(CanHoldPathBelow("/m/CON", "/m/CON/a.txt", ntfs));
    EXPECT_FALSE(CanHoldPathBelow("/m/bk", "/m/bk/2005年07月01日/a.txt", fusefat));
}

}  // namespace
}  // namespace tv
