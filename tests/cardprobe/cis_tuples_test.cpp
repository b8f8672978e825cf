// The version tuple of a PC card's information structure, from byte sequences as a socket
// hands them over: other tuples before and after it, an end mark, and damaged chains.
#include "cardprobe/cis_tuples.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/cardprobe/scratch_world.h"
#include "tests/support/file_bytes.h"

namespace tv::cardprobe {
namespace {

using Bytes = std::vector<uint8_t>;

// A device tuple, the version tuple (4.1, two texts and the list end), a manufacturer id
// tuple, and the end of the chain.
const Bytes kCard = {
    0x01, 0x03, 0xD9, 0x01, 0xFF,                                    //
    0x15, 0x12, 0x04, 0x01, 'O',  'S',  'T', 'R',  'E',  'L', 0x00,  //
    'C',  'F',  ' ',  'C',  'A',  'R',  'D', 0x00, 0xFF,             //
    0x20, 0x04, 0x01, 0x02, 0x03, 0x04,                              //
    0xFF,
};

PcmciaTupleInfo Marked() {
    PcmciaTupleInfo info;
    std::memset(&info, 0x5A, sizeof info);
    return info;
}

bool Parse(const Bytes& bytes, PcmciaTupleInfo* info) {
    return ParseVersionTuple(bytes.data(), bytes.size(), info);
}

TEST(CisTuplesTest, VersionTupleGivesVersionAndTexts) {
    PcmciaTupleInfo info = Marked();
    ASSERT_TRUE(Parse(kCard, &info));
    EXPECT_EQ(info.major, 4);
    EXPECT_EQ(info.minor, 1);
    EXPECT_EQ(info.zero, 0);
    EXPECT_STREQ(info.manufacturer, "OSTREL");
    EXPECT_STREQ(info.product, "CF CARD");
}

TEST(CisTuplesTest, ChainsWithoutACompleteVersionTupleFindNothing) {
    const Bytes endBeforeVersion = {0x01, 0x00, 0xFF, 0x15, 0x03, 0x04, 0x01, 0x00};
    const Bytes lengthOne = {0x15, 0x01, 0x04, 0xFF};
    const Bytes noVersion = {0x01, 0x02, 0xD9, 0x01, 0x20, 0x00, 0xFF};
    struct Case {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"one byte", {0x15}},
        {"cut inside the version tuple", Bytes(kCard.begin(), kCard.begin() + 14)},
        {"cut before the version tuple's data", Bytes(kCard.begin(), kCard.begin() + 7)},
        {"earlier tuple runs past the end", {0x01, 0xF0, 0x15, 0x02, 0x04, 0x01}},
        {"end mark before it", endBeforeVersion},
        {"version tuple too short", lengthOne},
        {"no version tuple", noVersion},
    };
    for (const Case& c : cases) {
        PcmciaTupleInfo info = Marked();
        EXPECT_FALSE(Parse(c.bytes, &info)) << c.name;
        EXPECT_EQ(info.major, 0x5A) << "untouched: " << c.name;
    }
}

TEST(CisTuplesTest, ChainCutAfterTheVersionTupleStillHasIt) {
    PcmciaTupleInfo info = Marked();
    ASSERT_TRUE(Parse(Bytes(kCard.begin(), kCard.end() - 3), &info));
    EXPECT_STREQ(info.product, "CF CARD");
}

TEST(CisTuplesTest, TextsEndAtTheTupleAndAreCutToTheirFields) {
    Bytes longText = {0x15, 0xC8, 0x05, 0x00};
    longText.insert(longText.end(), 198, 'M');  // no NUL before the tuple ends
    longText.push_back(0xFF);
    PcmciaTupleInfo info = Marked();
    ASSERT_TRUE(Parse(longText, &info));
    EXPECT_EQ(info.major, 5);
    EXPECT_EQ(std::string(info.manufacturer), std::string(127, 'M'));
    EXPECT_STREQ(info.product, "");

    const Bytes listEndsEarly = {0x15, 0x05, 0x04, 0x01, 'A', 0xFF, 'B', 0xFF};
    info = Marked();
    ASSERT_TRUE(Parse(listEndsEarly, &info));
    EXPECT_STREQ(info.manufacturer, "A");
    EXPECT_STREQ(info.product, "");
}

TEST(CisTuplesTest, SocketIsChosenBySelector) {
    tv::test::ScratchWorld world;
    const std::string socket = world.MakeFolder("sys/class/pcmcia_socket/pcmcia_socket1");
    tv::test::PutFileBytes(socket + "/cis", std::string(kCard.begin(), kCard.end()));
    PcmciaTupleInfo info = Marked();
    EXPECT_FALSE(ReadPcmciaVersion(world.base() + "/sys", 0, &info));
    ASSERT_TRUE(ReadPcmciaVersion(world.base() + "/sys", 1, &info));
    EXPECT_STREQ(info.manufacturer, "OSTREL");
}

}  // namespace
}  // namespace tv::cardprobe
