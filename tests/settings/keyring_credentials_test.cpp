// The share accounts of the settings in the desktop keyring: the registry file keeps empty
// values where the keyring holds the secrets, and keeps today's encrypted form wherever the
// keyring does not take them.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/secret_store.h"
#include "settings/credential_cipher.h"
#include "settings/credential_secrets.h"
#include "settings/option_file.h"
#include "tests/settings/option_bytes.h"
#include "tests/settings/settings_world.h"
#include "tests/support/file_bytes.h"
#include "tests/support/keyring_session.h"
#include "tests/support/scripted_prompts.h"

namespace tv::test {
namespace {

SettingsRecord WithAccounts(SettingsRecord record) {
    record.User1 = "backup-user";
    record.Pass1 = "パスワード";
    record.User2 = "second";
    record.Pass2 = "hunter2";
    return record;
}

std::string Encrypted(const std::string& plain) {
    CredentialCipher cipher;
    std::string bytes = plain;
    EXPECT_TRUE(cipher.Open() && cipher.Encrypt(&bytes));
    return bytes;
}

// "88,d1,51": bytes as a registry file writes a binary value.
std::string RegistryHex(const std::string& bytes) {
    std::string text;
    char digits[4];
    for (const unsigned char byte : bytes) {
        std::snprintf(digits, sizeof digits, text.empty() ? "%02x" : ",%02x", byte);
        text += digits;
    }
    return text;
}

std::string Utf16(const std::string& ascii) {
    std::string wide;
    for (const char c : ascii) wide += std::string{c, '\0'};
    return wide;
}

// Every form in which a file could give the secret away.
std::vector<std::string> Encodings(const std::string& secret) {
    return {secret, Encrypted(secret), RegistryHex(Encrypted(secret)), RegistryHex(secret),
            Utf16(secret)};
}

// The files under folder that hold any encoding of secret.
std::vector<std::string> FilesHolding(const std::string& folder, const std::string& secret) {
    std::vector<std::string> holders;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string bytes = FileBytes(entry.path().string());
        for (const std::string& form : Encodings(secret)) {
            if (bytes.find(form) != std::string::npos) holders.push_back(entry.path().string());
        }
    }
    return holders;
}

std::string KeyringHolds(SecretStore& store, std::string SettingsRecord::*field) {
    std::string secret = "(absent)";
    store.Read(CredentialSecretKey(SettingsSecretOwner(), field), &secret);
    return secret;
}

constexpr char kNetworkHeader[] =
    "[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext\\Network]\r\n";

std::string NetworkSection(const std::string& registryText) {
    const size_t start = registryText.find(kNetworkHeader);
    if (start == std::string::npos) return "(no Network section)";
    const size_t end = registryText.find("\r\n[", start);
    return registryText.substr(start, end == std::string::npos ? end : end + 2 - start);
}

class KeyringCredentials : public ::testing::Test {
  protected:
    void SetUp() override {
        settings.world().AddDrive('C', kDriveFixed);
        if (!keyring.Start()) GTEST_SKIP() << "SKIPPED LOUDLY: " << keyring.error();
        store = OpenDesktopSecretStore();
        ASSERT_TRUE(store->Answers());
    }

    SettingsWorld settings;
    KeyringSession keyring;
    std::unique_ptr<SecretStore> store;
};

TEST_F(KeyringCredentials, SavedAccountsLeaveNoTraceInAnyFileAndComeBack) {
    settings.UseSecrets(store.get());
    const SettingsRecord saved = WithAccounts(DefaultSettings(settings.context()));
    ASSERT_TRUE(SaveSettings(saved, settings.context()));

    for (const std::string& secret : {saved.User1, saved.Pass1, saved.User2, saved.Pass2}) {
        EXPECT_EQ(FilesHolding(settings.world().base(), secret), std::vector<std::string>{})
            << secret;
    }
    const std::unique_ptr<SecretStore> fresh = OpenDesktopSecretStore();
    settings.UseSecrets(fresh.get());
    const SettingsRecord loaded = settings.Restart();
    EXPECT_EQ(loaded.User1, saved.User1);
    EXPECT_EQ(loaded.Pass1, saved.Pass1);
    EXPECT_EQ(loaded.User2, saved.User2);
    EXPECT_EQ(loaded.Pass2, saved.Pass2);
}

TEST_F(KeyringCredentials, TodaysRegistryMovesIntoTheKeyringAtTheNextSave) {
    // Written as before the keyring: the encrypted form in the file.
    ASSERT_TRUE(
        SaveSettings(WithAccounts(DefaultSettings(settings.context())), settings.context()));
    ASSERT_NE(NetworkSection(FileBytes(settings.RegistryPath())).find("\"Pass2\"=hex:"),
              std::string::npos);

    settings.UseSecrets(store.get());
    const SettingsRecord loaded = settings.Restart();
    EXPECT_EQ(loaded.Pass1, "パスワード");
    ASSERT_TRUE(SaveSettings(loaded, settings.context()));

    EXPECT_EQ(KeyringHolds(*store, &SettingsRecord::User1), "backup-user");
    EXPECT_EQ(KeyringHolds(*store, &SettingsRecord::Pass1), "パスワード");
    EXPECT_EQ(KeyringHolds(*store, &SettingsRecord::User2), "second");
    EXPECT_EQ(KeyringHolds(*store, &SettingsRecord::Pass2), "hunter2");
    EXPECT_EQ(NetworkSection(FileBytes(settings.RegistryPath())), std::string(kNetworkHeader) +
                                                                      "\"Drive1\"=\"\"\r\n"
                                                                      "\"Drive2\"=\"\"\r\n"
                                                                      "\"Pass1\"=hex:\r\n"
                                                                      "\"Pass2\"=hex:\r\n"
                                                                      "\"User1\"=hex:\r\n"
                                                                      "\"User2\"=hex:\r\n"
                                                                      "\r\n");
}

TEST_F(KeyringCredentials, AClearedAccountLeavesTheKeyring) {
    settings.UseSecrets(store.get());
    SettingsRecord record = WithAccounts(DefaultSettings(settings.context()));
    ASSERT_TRUE(SaveSettings(record, settings.context()));
    record.User2.clear();
    record.Pass2.clear();
    ASSERT_TRUE(SaveSettings(record, settings.context()));

    EXPECT_EQ(KeyringHolds(*store, &SettingsRecord::Pass2), "(absent)");
    const SettingsRecord loaded = settings.Restart();
    EXPECT_EQ(loaded.User2, "");
    EXPECT_EQ(loaded.Pass2, "");
    EXPECT_EQ(loaded.Pass1, "パスワード");
}

// An exported file carries everything in the encrypted form, wherever the record came from; its
// import reaches the keyring with the next save.
TEST_F(KeyringCredentials, ExportKeepsTheEncryptedFormAndImportMovesIntoTheKeyring) {
    settings.UseSecrets(store.get());
    SettingsRecord record = DefaultSettings(settings.context());
    record.User1 = "abc";
    record.Pass1 = "abc";
    record.Pass2 = "ab2c";
    ASSERT_TRUE(SaveSettings(record, settings.context()));
    const SettingsRecord loaded = settings.Restart();
    const std::string exported = JoinPath(settings.world().base(), "options.dat");
    ASSERT_TRUE(ExportOptions(loaded, exported));

    const std::string network = Str("\x88\xd1\x51") + Str("\x88\xd1\x51") + Str("") +
                                Str(std::string("\x88\xd1\x00\x02", 4));
    EXPECT_NE(FileBytes(exported).find(network), std::string::npos);

    ASSERT_TRUE(store->RemoveRecord("settings"));
    ScriptedPrompts prompts;
    SettingsRecord imported = DefaultSettings(settings.context());
    ASSERT_TRUE(ImportOptions(exported, imported, prompts));
    ASSERT_TRUE(SaveSettings(imported, settings.context()));
    EXPECT_EQ(KeyringHolds(*store, &SettingsRecord::Pass2), "ab2c");
    for (const std::string& form : Encodings("ab2c")) {
        EXPECT_EQ(FileBytes(settings.RegistryPath()).find(form), std::string::npos);
    }
    const SettingsRecord again = settings.Restart();
    EXPECT_EQ(again.User1, "abc");
    EXPECT_EQ(again.Pass1, "abc");
    EXPECT_EQ(again.User2, "");
    EXPECT_EQ(again.Pass2, "ab2c");
}

// The keyring went away after start-up: the file keeps today's bytes, so nothing is lost.
TEST(KeyringGoneCredentials, StayInTheFileInTodaysForm) {
    SettingsWorld settings;
    LeaveWithoutSessionBus();
    const std::unique_ptr<SecretStore> store = OpenDesktopSecretStore();
    settings.UseSecrets(store.get());
    SettingsRecord record = DefaultSettings(settings.context());
    record.User1 = "abc";
    record.Pass2 = "ab2c";
    ASSERT_TRUE(SaveSettings(record, settings.context()));

    const std::string section = NetworkSection(FileBytes(settings.RegistryPath()));
    EXPECT_EQ(section, std::string(kNetworkHeader) +
                           "\"Drive1\"=\"\"\r\n"
                           "\"Drive2\"=\"\"\r\n"
                           "\"Pass1\"=hex:\r\n"
                           "\"Pass2\"=hex:88,d1,00,02\r\n"
                           "\"User1\"=hex:88,d1,51\r\n"
                           "\"User2\"=hex:\r\n"
                           "\r\n");
    EXPECT_EQ(settings.Restart().Pass2, "ab2c");
}

}  // namespace
}  // namespace tv::test
