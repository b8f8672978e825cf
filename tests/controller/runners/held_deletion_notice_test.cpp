#include "controller/runners/held_deletion_notice.h"

#include <gtest/gtest.h>

#include "tests/controller/frame_fakes.h"

namespace tv::test {
namespace {

TEST(HeldDeletionNotice, OnlyAHeldDeletionIsToldWithItsCountAndFolders) {
    FakeNotifier notifier;
    CopyJob job;
    job.Source = "/media/card";
    job.Destination = "/backup/card";
    NotifyHeldDeletion(job, notifier);
    EXPECT_TRUE(notifier.notifications.empty());

    job.MassDeletionHeld = 120;
    NotifyHeldDeletion(job, notifier);
    ASSERT_EQ(notifier.notifications.size(), 1u);
    const std::string& told = notifier.notifications[0];
    for (const char* part : {"保留", "120", "/media/card", "/backup/card"}) {
        EXPECT_NE(told.find(part), std::string::npos) << part;
    }
}

}  // namespace
}  // namespace tv::test
