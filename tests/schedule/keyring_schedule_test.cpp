// The schedules' share accounts in the desktop keyring: "sch.dat" holds empty credentials where
// the keyring keeps them, and an entry finds its account again by its place and name.
#include <gtest/gtest.h>

#include "platform/paths.h"
#include "schedule/schedule_list.h"
#include "settings/credential_cipher.h"
#include "tests/schedule/schedule_samples.h"
#include "tests/settings/settings_world.h"
#include "tests/support/file_bytes.h"
#include "tests/support/keyring_session.h"

namespace tv::test {
namespace {

ScheduleEntry WithAccount(ScheduleEntry entry, const std::string& user,
                          const std::string& password) {
    entry.Settings.User2 = user;
    entry.Settings.Pass2 = password;
    return entry;
}

std::string Encrypted(const std::string& plain) {
    CredentialCipher cipher;
    std::string bytes = plain;
    EXPECT_TRUE(cipher.Open() && cipher.Encrypt(&bytes));
    return bytes;
}

class KeyringSchedules : public ::testing::Test {
  protected:
    void SetUp() override {
        settings.world().AddDrive('C', kDriveFixed, 0x1234ABCD);
        if (!keyring.Start()) GTEST_SKIP() << "SKIPPED LOUDLY: " << keyring.error();
        store = OpenDesktopSecretStore();
        ASSERT_TRUE(store->Answers());
    }
    const SettingsContext& context() const { return settings.context(); }
    std::string ProgramDir() const { return settings.world().programDir(); }
    std::string FilePath() const { return JoinPath(ProgramDir(), "sch.dat"); }
    // The list as the next start of the program reads it, with a keyring client of its own.
    ScheduleList Reloaded() {
        fresh = OpenDesktopSecretStore();
        settings.UseSecrets(fresh.get());
        ScheduleList list(ProgramDir());
        EXPECT_TRUE(list.Load(context()));
        return list;
    }

    SettingsWorld settings;
    KeyringSession keyring;
    std::unique_ptr<SecretStore> store;
    std::unique_ptr<SecretStore> fresh;
};

TEST_F(KeyringSchedules, TodaysFileMovesIntoTheKeyringAtTheNextSave) {
    ScheduleList before(ProgramDir());
    before.Append(WithAccount(WeeklySample(context()), "nightly", "night-pass"));
    ASSERT_TRUE(before.Save());
    ASSERT_NE(FileBytes(FilePath()).find(Encrypted("night-pass")), std::string::npos);

    settings.UseSecrets(store.get());
    ScheduleList list(ProgramDir());
    ASSERT_TRUE(list.Load(context()));
    ASSERT_EQ(list.At(0).Settings.Pass2, "night-pass");
    ASSERT_TRUE(list.Save(store.get()));

    // The sample's own bytes: its credentials are empty.
    EXPECT_EQ(FileBytes(FilePath()), FileBytesOf(1, {WeeklySampleBytes(context())}));
    const ScheduleList reloaded = Reloaded();
    ASSERT_EQ(reloaded.Count(), 1u);
    ExpectSameEntry(WithAccount(WeeklySample(context()), "nightly", "night-pass"), reloaded.At(0));
}

TEST_F(KeyringSchedules, AnEntryKeepsItsOwnAccountWhenOneBeforeItIsRemoved) {
    ScheduleList list(ProgramDir());
    list.Append(WithAccount(WeeklySample(context()), "first", "first-pass"));
    list.Append(WithAccount(OnceSample(context()), "second", "second-pass"));
    ASSERT_TRUE(list.Save(store.get()));
    list.RemoveAt(0);
    ASSERT_TRUE(list.Save(store.get()));

    const ScheduleList reloaded = Reloaded();
    ASSERT_EQ(reloaded.Count(), 1u);
    EXPECT_EQ(reloaded.At(0).Settings.User2, "second");
    EXPECT_EQ(reloaded.At(0).Settings.Pass2, "second-pass");
    std::string secret;
    EXPECT_EQ(
        store->Read(SecretKey{"schedule", 1, OnceSample(context()).Name, 2, "password"}, &secret),
        SecretLookup::kAbsent)
        << "the moved entry's old place holds nothing";
}

// An older copy of the file whose entry at a place has another name does not take the account
// of the schedule that was saved there.
TEST_F(KeyringSchedules, AnotherNameAtThePlaceFindsNoAccount) {
    ScheduleList list(ProgramDir());
    list.Append(WithAccount(WeeklySample(context()), "first", "first-pass"));
    ASSERT_TRUE(list.Save(store.get()));
    ScheduleEntry renamed = WeeklySample(context());
    renamed.Name = "別の名前";
    ScheduleList other(ProgramDir());
    other.Append(renamed);
    ASSERT_TRUE(other.Save());

    const ScheduleList reloaded = Reloaded();
    ASSERT_EQ(reloaded.Count(), 1u);
    EXPECT_EQ(reloaded.At(0).Settings.Pass2, "");
}

}  // namespace
}  // namespace tv::test
