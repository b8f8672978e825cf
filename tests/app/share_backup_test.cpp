// A backup onto a share of a real SMB server, connected as a run connects it: the attempts in
// their order against the real server, the copy through the share's local folder, and the
// disconnect. The credentials reach the server and nothing else.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/job/copy_job.h"
#include "engine/job/job_run.h"
#include "engine/job/run_context.h"
#include "platform/linux/gio_share_mounter.h"
#include "platform/network_paths.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "settings/network_connection.h"
#include "settings/settings_record.h"
#include "tests/support/fake_clock.h"
#include "tests/support/gvfs_session.h"
#include "tests/support/samba_server.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

constexpr const char* kUser = "tvbackup";
constexpr const char* kPassword = "Saffron-41d7e-Harbour";
// Two levels inside the share: the share itself must be connected.
const std::string kDeepDestination = SambaServer::NetworkName("secure") + "/backup/pc1";

bool FileHolds(const std::string& path, const std::string& text) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes.find(text) != std::string::npos;
}

class ShareBackupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        samba_.AddShare("secure", ShareAccess::kAccount);
        samba_.SetAccount(kUser, kPassword);
        ASSERT_TRUE(samba_.Start()) << "FAILED LOUDLY: " << samba_.error();
        ASSERT_TRUE(gvfs_.Start()) << "FAILED LOUDLY: " << gvfs_.error();
    }

    int Connect() { return ConnectDestination(record_, kDeepDestination, mounter_, prompts_); }

    // Every file below the folder that holds text, but for the server's own folder and the
    // shares shown in the FUSE folder.
    std::vector<std::string> FilesHolding(const std::string& folder, const std::string& text) {
        std::vector<std::string> found;
        const std::string passedOver[] = {JoinPath(world_.base(), "samba"), gvfs_.FuseFolder()};
        namespace fs = std::filesystem;
        for (auto entry = fs::recursive_directory_iterator(
                 folder, fs::directory_options::skip_permission_denied);
             entry != fs::recursive_directory_iterator(); ++entry) {
            const std::string path = entry->path().string();
            if (path == passedOver[0] || path == passedOver[1]) {
                entry.disable_recursion_pending();
            } else if (!entry->is_symlink() && entry->is_regular_file() && FileHolds(path, text)) {
                found.push_back(path);
            }
        }
        return found;
    }

    TestWorld world_;
    SambaServer samba_{JoinPath(world_.base(), "samba")};
    GvfsSession gvfs_;
    GioShareMounter mounter_;
    SettingsRecord record_;
    ScriptedPrompts prompts_;
};

TEST_F(ShareBackupTest, ASecondPairConnectsTheShareOfADeepDestinationAndTheCopyLandsThere) {
    record_.User1 = kUser;
    record_.Pass1 = "not-the-password";
    record_.User2 = kUser;
    record_.Pass2 = kPassword;
    const SettingsRecord before = record_;
    ASSERT_EQ(Connect(), 0);
    EXPECT_EQ(record_.User1, before.User1);
    EXPECT_EQ(record_.Pass1, before.Pass1);

    const std::string source = world_.MakeFolder("documents");
    world_.Write(source, {{"letter.txt", TreeFile{.content = "dear share"}},
                          {"sub", {{"note.txt", TreeFile{.content = "deep note"}}}}});
    CopyJob job;
    job.Kind = FileDir;
    job.Source = source;
    job.Destination = kDeepDestination;
    job.LoadControl = 0;
    FakeClock clock{1120210200};
    RunContext context(clock, world_.drives());
    EXPECT_EQ(RunJob(job, context), 0);
    EXPECT_EQ(context.outcome().HadError, 0);

    const std::string onServer = JoinPath(samba_.FolderOf("secure"), "backup/pc1");
    EXPECT_TRUE(FileHolds(JoinPath(onServer, "letter.txt"), "dear share"));
    EXPECT_TRUE(FileHolds(JoinPath(onServer, "sub/note.txt"), "deep note"));

    EXPECT_EQ(DisconnectDestination(kDeepDestination, mounter_), 0);
    EXPECT_EQ(ToLocalPath(kDeepDestination), "");
}

TEST_F(ShareBackupTest, APairEnteredAtThePromptConnectsAndIsKeptInTheRecordOnly) {
    record_.User1 = "";
    record_.User2 = "someone";
    record_.Pass2 = "wrong";
    const ShareCredentials entered{kUser, kPassword};
    prompts_.ExpectPassword(SambaServer::NetworkName("secure"), &entered);

    ASSERT_EQ(Connect(), 0);

    EXPECT_EQ(record_.User1, kUser);
    EXPECT_EQ(record_.Pass1, kPassword);
    EXPECT_EQ(record_.User2, "someone");
    // The settings are not saved by a connection: no file of the session holds the password.
    for (const std::string& folder : {world_.base(), gvfs_.runtimeDir()}) {
        EXPECT_EQ(FilesHolding(folder, kPassword), std::vector<std::string>{}) << folder;
    }
    EXPECT_EQ(DisconnectDestination(kDeepDestination, mounter_), 0);
}

TEST_F(ShareBackupTest, ACancelledPromptCannotConnect) {
    prompts_.ExpectPassword(SambaServer::NetworkName("secure"), nullptr);
    prompts_.Expect("接続できません", "Tessaravine", kMbOk | kMbIconExclamation, kIdOk);

    EXPECT_EQ(Connect(), -1);
    EXPECT_EQ(ToLocalPath(kDeepDestination), "");
}

}  // namespace
}  // namespace tv::test
