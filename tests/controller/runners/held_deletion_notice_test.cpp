#include "controller/runners/held_deletion_notice.h"

#include <gtest/gtest.h>

namespace tv::test {
namespace {

TEST(HeldDeletionNotice, OnlyAHeldDeletionIsToldWithItsCountAndFolders) {
    CopyJob job;
    job.Source = "/media/card";
    job.Destination = "/backup/card";
    CopyOutcome outcome;
    outcome.HadError = 1;
    EXPECT_FALSE(HeldDeletionNotice(job, outcome).has_value());

    outcome.MassDeletionHeld = 120;
    const std::optional<Notice> told = HeldDeletionNotice(job, outcome);
    ASSERT_TRUE(told.has_value());
    const std::string text = told->summary + "|" + told->body;
    for (const char* part : {"保留", "120", "/media/card", "/backup/card"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
}

}  // namespace
}  // namespace tv::test
