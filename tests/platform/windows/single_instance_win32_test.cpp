// One holder of the program's named mutex in a session at a time.
#include <gtest/gtest.h>

#include "platform/single_instance.h"

namespace tv {
namespace {

TEST(SingleInstanceWin32, TheSecondHolderFindsTheMutexTakenUntilItIsReleased) {
    SingleInstance first;
    ASSERT_EQ(first.Acquire(""), InstanceLock::Held);
    EXPECT_EQ(first.Acquire(""), InstanceLock::Held);

    SingleInstance second;
    EXPECT_EQ(second.Acquire(""), InstanceLock::HeldElsewhere);

    first.Release();
    EXPECT_EQ(second.Acquire(""), InstanceLock::Held);
}

TEST(SingleInstanceWin32, TheMutexGoesWithItsOwner) {
    {
        SingleInstance gone;
        ASSERT_EQ(gone.Acquire(""), InstanceLock::Held);
    }
    SingleInstance next;
    EXPECT_EQ(next.Acquire(""), InstanceLock::Held);
}

}  // namespace
}  // namespace tv
