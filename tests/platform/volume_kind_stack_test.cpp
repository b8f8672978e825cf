// The scopes of VolumeKindScope, which every system keeps alike.
#include <gtest/gtest.h>

#include "platform/file_system.h"

namespace tv::test {
namespace {

TEST(VolumeKindScope, TheInnermostScopeIsAskedAndNoneOutsideEveryScope) {
    EXPECT_EQ(VolumeKindScope::Current(), nullptr);
    const VolumeKindScope outer;
    {
        const VolumeKindScope inner;
        EXPECT_EQ(VolumeKindScope::Current(), &inner);
    }
    EXPECT_EQ(VolumeKindScope::Current(), &outer);
}

TEST(VolumeKindScope, EachScopeKnowsOnlyTheVolumesItWasToldOf) {
    VolumeKindScope outer;
    outer.Remember(7, true);
    outer.Remember(9, false);
    bool fat = false;
    EXPECT_TRUE(outer.Find(7, &fat));
    EXPECT_TRUE(fat);
    EXPECT_TRUE(outer.Find(9, &fat));
    EXPECT_FALSE(fat);
    EXPECT_FALSE(outer.Find(8, &fat));
    const VolumeKindScope inner;
    EXPECT_FALSE(inner.Find(7, &fat));  // a run after another asks its volumes again
}

}  // namespace
}  // namespace tv::test
