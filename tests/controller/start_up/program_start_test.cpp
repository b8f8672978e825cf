// The program's start before its frame: what it takes, makes and loads, and what it tells the
// user, from a test's own world without starting a process.
#include "controller/start_up/program_start.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/controller/frame_fakes.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

// A good start of the file and a value whose text never ends.
const std::string kDamagedSettings =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext\\Mirroring]\r\n"
    "\"SyncInterval\"=dword:0000005a\r\n\"Broken\r\n";

// What TellUser wrote on a terminal of its own.
class Terminal {
  public:
    Terminal() : file_(open_memstream(&text_, &size_)) {}
    ~Terminal() {
        if (file_) std::fclose(file_);
        std::free(text_);
    }
    std::FILE* file() { return file_; }
    std::string text() {
        std::fflush(file_);
        return std::string(text_, size_);
    }

  private:
    char* text_ = nullptr;
    size_t size_ = 0;
    std::FILE* file_;
};

class ProgramStartTest : public ::testing::Test {
  protected:
    ProgramStartTest() {
        // A program folder that does not exist yet, as after an installation.
        locations.programDir = JoinPath(world.base(), "installed");
    }
    ProgramStart Start() {
        return StartProgram(locations, instance, listener, registry, world.drives());
    }
    std::string SettingsPath() const { return JoinPath(world.configDir(), kRegistryFileName); }
    std::string PinnedFile() const { return JoinPath(world.configDir(), "pinned-drives.tsv"); }
    std::string Told(const StartMessage& message) {
        TellUser(message, prompts, terminal.file());
        return terminal.text();
    }

    TestWorld world;
    Locations locations = world.locations();
    SingleInstance instance;
    InstanceListener listener;
    RegistryStore registry{SettingsPath()};
    ScriptedPrompts prompts;
    Terminal terminal;
};

TEST_F(ProgramStartTest, ASecondInstanceIsToldInABoxAndTouchesNothing) {
    SingleInstance first;
    ASSERT_EQ(first.Acquire(locations.lockDir), InstanceLock::Held);
    PutFileBytes(SettingsPath(), kDamagedSettings);

    const ProgramStart start = Start();

    EXPECT_FALSE(start.proceed);
    ASSERT_EQ(start.messages.size(), 1u);
    EXPECT_EQ(start.messages[0].notice, StartNotice::AlreadyRunning);
    EXPECT_FALSE(PathExists(locations.programDir));
    EXPECT_EQ(FileBytes(SettingsPath()), kDamagedSettings);
    prompts.Expect("Tessaravineはすでに起動されています", "Tessaravine", kMbOk | kMbIconHand,
                   kIdOk);
    EXPECT_EQ(Told(start.messages[0]), "");
}

TEST_F(ProgramStartTest, ASecondInstanceThatReachesTheFirstHandsOverSilentlyAndTouchesNothing) {
    SingleInstance first;
    ASSERT_EQ(first.Acquire(locations.lockDir), InstanceLock::Held);
    InstanceListener firstListener;
    ASSERT_TRUE(firstListener.Listen(locations.lockDir));
    firstListener.Serve([] {});
    PutFileBytes(SettingsPath(), kDamagedSettings);

    const ProgramStart start = Start();

    EXPECT_FALSE(start.proceed);
    EXPECT_TRUE(start.handedOver);
    EXPECT_TRUE(start.messages.empty());
    EXPECT_FALSE(PathExists(locations.programDir));
    EXPECT_EQ(FileBytes(SettingsPath()), kDamagedSettings);
}

TEST_F(ProgramStartTest, AnInstanceThatCannotListenRunsAndSaysSoOnTheTerminal) {
    const std::string channel = JoinPath(locations.lockDir, kInstanceChannelName);
    ASSERT_EQ(symlink(world.base().c_str(), channel.c_str()), 0);

    const ProgramStart start = Start();

    EXPECT_TRUE(start.proceed);
    ASSERT_EQ(start.messages.size(), 1u);
    EXPECT_EQ(start.messages[0].notice, StartNotice::NoInstanceChannel);
    EXPECT_EQ(Told(start.messages[0]), "Tessaravine: cannot listen in " + locations.lockDir +
                                           "; a second start cannot open the settings\n");
}

TEST_F(ProgramStartTest, ALockFolderThatIsNotTheUsersAloneIsToldAsSuchAndTouchesNothing) {
    unsetenv("XDG_RUNTIME_DIR");
    locations.lockDir = DefaultLockDir();
    const std::string elsewhere = world.MakeFolder("elsewhere");
    ASSERT_EQ(symlink(elsewhere.c_str(), locations.lockDir.c_str()), 0);

    const ProgramStart start = Start();

    EXPECT_FALSE(start.proceed);
    ASSERT_EQ(start.messages.size(), 1u);
    EXPECT_EQ(start.messages[0].notice, StartNotice::NoSafeLockFolder);
    EXPECT_FALSE(PathExists(locations.programDir));
    const std::string text =
        "二重起動を防ぐロックファイルを、ほかのユーザーが変更できないフォルダに作成できないため、"
        "Tessaravineを起動できません: " +
        locations.lockDir;
    EXPECT_EQ(start.messages[0].text, text);
    prompts.Expect(text, "Tessaravine", kMbOk | kMbIconHand, kIdOk);
    EXPECT_EQ(Told(start.messages[0]), "Tessaravine: " + text + "\n");
}

TEST_F(ProgramStartTest, TheProgramMakesItsFoldersAndLoadsAGoodSettingsFileSilently) {
    const ProgramStart start = Start();

    EXPECT_TRUE(start.proceed);
    EXPECT_TRUE(start.messages.empty());
    EXPECT_TRUE(IsDirectory(JoinPath(locations.programDir, "Log")));
    EXPECT_TRUE(IsDirectory(locations.configDir));
}

// A save killed between writing its temporary file and renaming it leaves the file behind. The
// look-alikes: a random part one short, no leading dot, another tail, no name before the marker,
// another owner's file, a link.
TEST_F(ProgramStartTest, WhatKilledSavesLeftIsRemovedAndLookAlikesAreKept) {
    ASSERT_TRUE(EnsureFolder(locations.programDir));
    const std::string data = locations.programDir;
    const std::string config = locations.configDir;
    for (const std::string& path :
         {JoinPath(data, ".sch.dat.tvAb3dE9"), JoinPath(config, ".TessaravineNext.reg.tvZ0yX1w"),
          JoinPath(data, ".sch.dat.tvAb3dE"), JoinPath(data, "sch.dat.tvAb3dE9"),
          JoinPath(data, ".sch.dat.tv-notes"), JoinPath(config, ".tvAb3dE9"),
          JoinPath(data, ".other.tvQ1w2E3")}) {
        PutFileBytes(path, "x");
    }
    ASSERT_EQ(chown(JoinPath(data, ".other.tvQ1w2E3").c_str(), getuid() + 1, getgid()), 0);
    const std::string target = JoinPath(world.base(), "target.txt");
    PutFileBytes(target, "kept");
    ASSERT_EQ(symlink(target.c_str(), JoinPath(config, ".drives.tsv.tvLiNk00").c_str()), 0);

    Start();

    EXPECT_FALSE(PathExists(JoinPath(data, ".sch.dat.tvAb3dE9")));
    EXPECT_FALSE(PathExists(JoinPath(config, ".TessaravineNext.reg.tvZ0yX1w")));
    for (const std::string& kept :
         {JoinPath(data, ".sch.dat.tvAb3dE"), JoinPath(data, "sch.dat.tvAb3dE9"),
          JoinPath(data, ".sch.dat.tv-notes"), JoinPath(config, ".tvAb3dE9"),
          JoinPath(data, ".other.tvQ1w2E3"), JoinPath(config, ".drives.tsv.tvLiNk00")}) {
        FileIdentity entry;
        EXPECT_TRUE(GetEntryIdentity(kept, &entry)) << kept;
    }
    EXPECT_TRUE(PathExists(target));
}

TEST_F(ProgramStartTest, ADamagedSettingsFileIsKeptAsideAndTheTerminalToldWhere) {
    PutFileBytes(SettingsPath(), kDamagedSettings);

    const ProgramStart start = Start();

    EXPECT_TRUE(start.proceed);
    ASSERT_EQ(start.messages.size(), 1u);
    EXPECT_EQ(start.messages[0].notice, StartNotice::SettingsFileKeptAside);
    EXPECT_EQ(FileBytes(SettingsPath() + ".damaged"), kDamagedSettings);
    EXPECT_EQ(Told(start.messages[0]), "Tessaravine: damaged settings file kept as " +
                                           SettingsPath() +
                                           ".damaged; starting with the defaults\n");
}

TEST_F(ProgramStartTest, ThePinnedFilesLettersAreTheProgramsDrivesFromTheFirstMoment) {
    const std::string card = world.MakeFolder("card");
    PutFileBytes(PinnedFile(),
                 "# the camera's card\r\nE\tremovable\t" + card + "\t1234abcd\tSDCARD\r\n");

    const ProgramStart start = Start();

    EXPECT_TRUE(start.proceed);
    EXPECT_TRUE(start.messages.empty());
    EXPECT_NE(FileBytes(JoinPath(world.configDir(), "drives.tsv"))
                  .find("E\t2\t" + card + "/\t1234ABCD\tSDCARD\t\tpinned\r\n"),
              std::string::npos);
}

TEST_F(ProgramStartTest, ADamagedPinnedFileIsNamedAndTheProgramGoesOn) {
    PutFileBytes(PinnedFile(), "E\tremovable\trelative/folder\t-\tSDCARD\r\n");

    const ProgramStart start = Start();

    EXPECT_TRUE(start.proceed);
    ASSERT_EQ(start.messages.size(), 1u);
    EXPECT_EQ(start.messages[0].notice, StartNotice::PinnedDrivesDamaged);
    const std::string told = Told(start.messages[0]);
    EXPECT_EQ(told.rfind("Tessaravine: ", 0), 0u) << told;
    EXPECT_NE(told.find("pinned-drives.tsv"), std::string::npos) << told;
}

// On the terminal, and without an icon to click, by one desktop notice that says where the
// settings open.
TEST(ProgramStartTray, TheUserHearsOfAMissingNotificationArea) {
    const std::vector<std::string> kWhereTheSettingsOpen = {
        "Tessaravine|通知領域がないため、アイコンを表示できません。設定は、アプリケーションメニュー"
        "から「Tessaravine」をもう一度起動すると開きます。"};
    const struct {
        bool iconAdded;
        bool areaPresent;
        std::optional<StartNotice> notice;
        const char* text;
    } cases[] = {
        {false, false, StartNotice::NoNotificationArea,
         "no notification area; running without an icon"},
        {true, false, StartNotice::NotificationAreaLater,
         "no notification area yet; the icon appears in one"},
        {true, true, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        const std::optional<StartMessage> message = TrayStartMessage(c.iconAdded, c.areaPresent);
        ASSERT_EQ(message.has_value(), c.notice.has_value()) << c.iconAdded << c.areaPresent;
        if (!message) continue;
        EXPECT_EQ(message->notice, *c.notice);
        EXPECT_EQ(message->text, c.text);
        ScriptedPrompts prompts;
        FakeNotifier notifier;
        Terminal terminal;
        TellUser(*message, prompts, notifier, terminal.file());
        EXPECT_EQ(terminal.text(), std::string("Tessaravine: ") + c.text + "\n");
        EXPECT_EQ(notifier.notifications, kWhereTheSettingsOpen);
    }
    // Whatever else is told at start goes to the terminal only.
    ScriptedPrompts prompts;
    FakeNotifier notifier;
    Terminal terminal;
    TellUser({StartNotice::PinnedDrivesDamaged, "damaged"}, prompts, notifier, terminal.file());
    EXPECT_TRUE(notifier.notifications.empty());
}

}  // namespace
}  // namespace tv::test
