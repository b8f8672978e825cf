#include "platform/secret_store.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/keyring_session.h"
#include "tests/support/spawned_process.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

// What a process of its own reads: its exit status (0 found, 1 absent, 2 failed) and output.
struct ProbeAnswer {
    int status = -1;
    std::string secret;
    bool operator==(const ProbeAnswer& o) const { return status == o.status && secret == o.secret; }
};

void PrintTo(const ProbeAnswer& answer, std::ostream* out) {
    *out << "status " << answer.status << " secret \"" << answer.secret << "\"";
}

ProbeAnswer ReadInNewProcess(const TestWorld& world, const SecretKey& key) {
    static int probes = 0;
    const std::string output = JoinPath(world.base(), "probe" + std::to_string(++probes) + ".out");
    ProbeAnswer answer;
    answer.status = RunWithInput({TV_SECRET_PROBE_PATH, key.record, std::to_string(key.index),
                                  key.name, std::to_string(key.slot), key.field},
                                 "", output);
    answer.secret = FileBytes(output);
    return answer;
}

const SecretKey kSettingsPassword{"settings", 0, "", 1, "password"};
const SecretKey kSettingsUser{"settings", 0, "", 1, "user"};
const SecretKey kOtherSlot{"settings", 0, "", 2, "password"};
const SecretKey kSchedulePassword{"schedule", 3, "夜間", 1, "password"};

class SecretStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!keyring_.Start()) GTEST_SKIP() << "SKIPPED LOUDLY: " << keyring_.error();
        store_ = OpenDesktopSecretStore();
    }

    TestWorld world_;
    KeyringSession keyring_;
    std::unique_ptr<SecretStore> store_;
};

TEST_F(SecretStoreTest, KeepsEachSecretUnderItsOwnKeyForTheNextProcess) {
    ASSERT_TRUE(store_->Answers());
    // Bytes that are no UTF-8 text (a name read from a Japanese Windows file) are kept whole.
    const std::string binary("\x83\x65\x00\x83\x58", 5);
    ASSERT_TRUE(store_->Store(kSettingsPassword, "hunter2"));
    ASSERT_TRUE(store_->Store(kSettingsUser, binary));
    ASSERT_TRUE(store_->Store(kSchedulePassword, "スケジュールの鍵"));
    ASSERT_TRUE(store_->Store(kSettingsPassword, "replaced"));

    EXPECT_EQ(ReadInNewProcess(world_, kSettingsPassword), (ProbeAnswer{0, "replaced"}));
    EXPECT_EQ(ReadInNewProcess(world_, kSettingsUser), (ProbeAnswer{0, binary}));
    EXPECT_EQ(ReadInNewProcess(world_, kSchedulePassword), (ProbeAnswer{0, "スケジュールの鍵"}));
    EXPECT_EQ(ReadInNewProcess(world_, kOtherSlot), (ProbeAnswer{1, ""}));
    SecretKey sameIndexOtherName = kSchedulePassword;
    sameIndexOtherName.name = "朝";
    EXPECT_EQ(ReadInNewProcess(world_, sameIndexOtherName), (ProbeAnswer{1, ""}));

    ASSERT_TRUE(store_->Remove(kSettingsPassword));
    EXPECT_TRUE(store_->Remove(kSettingsPassword)) << "removing what is gone succeeds";
    EXPECT_EQ(ReadInNewProcess(world_, kSettingsPassword), (ProbeAnswer{1, ""}));
    std::string secret;
    EXPECT_EQ(store_->Read(kSettingsUser, &secret), SecretLookup::kFound);
    EXPECT_EQ(secret, binary);
}

TEST(SecretStoreWithoutServiceTest, AnswersNeverAndFailsEveryCall) {
    TestWorld world;
    LeaveWithoutSessionBus();
    const std::unique_ptr<SecretStore> store = OpenDesktopSecretStore();
    EXPECT_FALSE(store->Answers());
    EXPECT_FALSE(store->Store(kSettingsPassword, "hunter2"));
    std::string secret;
    EXPECT_EQ(store->Read(kSettingsPassword, &secret), SecretLookup::kFailed);
}

}  // namespace
}  // namespace tv::test
