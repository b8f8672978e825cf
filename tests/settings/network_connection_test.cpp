#include "settings/network_connection.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#include "platform/win_constants.h"
#include "tests/support/scripted_prompts.h"

namespace tv::test {
namespace {

constexpr const char* kShare = "//srv/data";

// A server that knows some pairs: the current logon is refused unless anonymous is set, and
// every attempt is recorded as "logon" or the user name tried.
class FakeMounter : public ShareMounter {
  public:
    bool reachable = true;
    bool anonymous = false;
    bool mounted = false;
    bool unmount_fails = false;
    std::map<std::string, std::string> passwords;
    std::vector<std::string> attempts;
    std::vector<std::string> unmounted;

    MountResult Mount(const std::string& share, const ShareCredentials* credentials) override {
        attempts.push_back(credentials ? credentials->user : "logon");
        EXPECT_EQ(share, kShare);
        if (!reachable) return MountResult::kUnreachable;
        if (mounted) return MountResult::kAlreadyMounted;
        mounted = credentials ? Knows(*credentials) : anonymous;
        return mounted ? MountResult::kMounted : MountResult::kRefused;
    }
    bool Unmount(const std::string& share) override {
        unmounted.push_back(share);
        if (unmount_fails) return false;
        mounted = false;
        return true;
    }

  private:
    bool Knows(const ShareCredentials& c) const {
        const auto found = passwords.find(c.user);
        return found != passwords.end() && found->second == c.password;
    }
};

TEST(NetworkConnection, ShareNameIsTheFirstTwoComponents) {
    const struct {
        const char* destination;
        const char* share;
    } cases[] = {
        {"//srv/data/backup", "//srv/data"},
        {"//srv/data/backup/pc1", "//srv/data"},  // deep: the share, not a folder
        {"//srv/data", "//srv/data"},
        {"//srv/data/", "//srv/data"},
        {"//srv", ""},
        {"//srv/", ""},
        {"///data", ""},
        {"/srv/data", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ShareName(c.destination), c.share) << c.destination;
}

struct Attempts {
    const char* name;
    bool anonymous;
    std::map<std::string, std::string> passwords;
    std::optional<ShareCredentials> prompted;  // nullopt: no prompt expected
    bool prompt_answers;
    int result;
    std::vector<std::string> attempts;
};

TEST(NetworkConnection, TriesLogonPairsAndPromptInOrder) {
    const Attempts cases[] = {
        {"logon", true, {}, std::nullopt, false, 0, {"logon"}},
        {"pair 1", false, {{"u1", "p1"}}, std::nullopt, false, 0, {"logon", "u1"}},
        {"pair 2", false, {{"u2", "p2"}}, std::nullopt, false, 0, {"logon", "u1", "u2"}},
        {"prompt",
         false,
         {{"me", "pw"}},
         ShareCredentials{"me", "pw"},
         true,
         0,
         {"logon", "u1", "u2", "me"}},
        {"prompt wrong",
         false,
         {},
         ShareCredentials{"me", "bad"},
         true,
         -1,
         {"logon", "u1", "u2", "me"}},
        {"prompt cancelled", false, {}, ShareCredentials{}, false, -1, {"logon", "u1", "u2"}},
    };
    for (const Attempts& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsRecord record;
        record.User1 = "u1";
        record.Pass1 = "wrong1";
        record.User2 = "u2";
        record.Pass2 = "p2";
        if (c.passwords.count("u1")) record.Pass1 = "p1";
        if (!c.passwords.count("u2")) record.Pass2 = "wrong2";
        FakeMounter mounter;
        mounter.anonymous = c.anonymous;
        mounter.passwords = c.passwords;
        ScriptedPrompts prompts;
        if (c.prompted) prompts.ExpectPassword(kShare, c.prompt_answers ? &*c.prompted : nullptr);
        if (c.result == -1)
            prompts.Expect("接続できません", "Tessaravine", kMbOk | kMbIconExclamation, kIdOk);
        const SettingsRecord before = record;

        EXPECT_EQ(ConnectDestination(record, "//srv/data/backup", mounter, prompts), c.result);
        EXPECT_EQ(mounter.attempts, c.attempts);
        if (c.result == 0 && c.prompted) {
            EXPECT_EQ(record.User2, c.prompted->user);
            EXPECT_EQ(record.Pass2, c.prompted->password);
        } else {
            EXPECT_EQ(record.User2, before.User2);
            EXPECT_EQ(record.Pass2, before.Pass2);
        }
        EXPECT_EQ(record.User1, before.User1);
        EXPECT_EQ(record.Pass1, before.Pass1);
    }
}

TEST(NetworkConnection, PromptedPairFillsAnEmptyFirstPair) {
    SettingsRecord record;
    record.User1 = "  ";
    record.Pass1 = "\t";
    FakeMounter mounter;
    mounter.passwords = {{"me", "pw"}};
    ScriptedPrompts prompts;
    const ShareCredentials entered{"me", "pw"};
    prompts.ExpectPassword(kShare, &entered);

    EXPECT_EQ(ConnectDestination(record, "//srv/data/backup/pc1", mounter, prompts), 0);
    // White-space pairs make no attempt.
    EXPECT_EQ(mounter.attempts, (std::vector<std::string>{"logon", "me"}));
    EXPECT_EQ(record.User1, "me");
    EXPECT_EQ(record.Pass1, "pw");
    EXPECT_EQ(record.User2, "");
}

TEST(NetworkConnection, UnreachableAndAlreadyMountedNeedNoPrompt) {
    SettingsRecord record;
    ScriptedPrompts prompts;  // nothing may be asked
    FakeMounter unreachable;
    unreachable.reachable = false;
    EXPECT_EQ(ConnectDestination(record, "//srv/data/x", unreachable, prompts), -1);
    FakeMounter busy;
    busy.mounted = true;
    busy.unmount_fails = true;  // the stale connection cannot be dropped
    EXPECT_EQ(ConnectDestination(record, "//srv/data/x", busy, prompts), 1);
    EXPECT_EQ(busy.unmounted, (std::vector<std::string>{kShare}));
    EXPECT_EQ(ConnectDestination(record, "/local/x", busy, prompts), -1);
}

TEST(NetworkConnection, DisconnectUnmountsTheShare) {
    FakeMounter mounter;
    mounter.mounted = true;
    EXPECT_EQ(DisconnectDestination("//srv/data/backup/pc1", mounter), 0);
    EXPECT_FALSE(mounter.mounted);
    mounter.unmount_fails = true;
    EXPECT_EQ(DisconnectDestination("//srv/data/backup", mounter), -1);
    EXPECT_EQ(DisconnectDestination("relative", mounter), -1);
}

}  // namespace
}  // namespace tv::test
