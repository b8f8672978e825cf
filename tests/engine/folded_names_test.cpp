// Which names of a folder meet on a destination that folds case.
#include "engine/listing/folded_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tv {
namespace {

TEST(FoldedNames, EachLaterNameOfAGroupPointsAtItsFirst) {
    const std::vector<std::string> names = {"b.txt", "A.txt", "x", "a.TXT", "B.TXT", "a.txt"};
    std::vector<const std::string*> taking;
    for (const std::string& name : names) taking.push_back(&name);
    taking[2] = nullptr;  // takes no part, though nothing else folds with it anyway
    const FoldedNames groups(taking);

    // "-": the first of its group.
    const std::vector<std::string> expected = {"-", "-", "-", "A.txt", "b.txt", "A.txt"};
    for (size_t index = 0; index < names.size(); ++index) {
        const std::string* earlier = groups.EarlierThan(index);
        EXPECT_EQ(earlier ? *earlier : "-", expected[index]) << names[index];
    }
    ASSERT_NE(groups.FirstFoldingWith("A.TXT"), nullptr);
    EXPECT_EQ(*groups.FirstFoldingWith("A.TXT"), "A.txt");
    EXPECT_EQ(groups.FirstFoldingWith("X"), nullptr);
    EXPECT_EQ(groups.FirstFoldingWith("c.txt"), nullptr);
}

}  // namespace
}  // namespace tv
