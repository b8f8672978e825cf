// The media kind a card name holds: hexadecimal digits and nothing else, whatever a medium
// carries in its card name file.
#include "controller/removable/card_kind.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace tv {
namespace {

TEST(CardKind, OnlyHexadecimalDigitsThatFitAreAKind) {
    struct Case {
        std::string text;
        int kind;
    };
    const Case cases[] = {
        {"00000080", 128},
        {"80", 128},
        {"00001000", 4096},
        {"0000000000000000000000000000080", 128},
        {"0000000A", 10},
        {"0000000a", 10},
        {"7fffffff", INT_MAX},
        {"80000000", 0},
        {"ffffffff", 0},
        {"100000000", 0},
        {"fffffffffffffffffffffffffffffff", 0},
        {"", 0},
        {" 80", 0},
        {"80 ", 0},
        {"80\r\n", 0},
        {"+80", 0},
        {"-1", 0},
        {"0x80", 0},
        {"../../80", 0},
        {"g", 0},
        {std::string("8\0"
                     "0",
                     3),
         0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KindOfCardName(c.text), c.kind) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace tv
