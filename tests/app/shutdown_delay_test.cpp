// The built program against a stand-in for logind on the bus it takes for the system bus: it
// holds the shutdown off while it runs, and when the shutdown is announced it stops its run,
// makes the run before the session ends when that is set, and only then lets the shutdown go.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/durability/leftover_copies.h"
#include "platform/paths.h"
#include "tests/app/logind_mock.h"
#include "tests/app/program_files.h"
#include "tests/app/program_process.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

#ifdef TV_PROGRAM_PATH

constexpr const char* kLogOffOnlyNote =
    "tessaravine: no session manager; runs at log-off are off\n";
const QString kDelay = QStringLiteral("shutdown Tessaravine 終了時のバックアップ delay");
// 256 buffers of 32 KB, each followed by a pause of 10 ms (the most the settings allow): about
// three seconds of copying.
constexpr size_t kBigFileBytes = 8u << 20;
constexpr int kPauseMs = 10;

class ShutdownDelayTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(mock_.Start()) << "FAILED LOUDLY: " << mock_.error(); }

    // The file/directory unit backs documents up into backup; exitRun is ExecuteType.
    void StoreSettings(int exitRun, int pauseMs) {
        StoreSettingsOfAnEarlierRun(
            world_,
            [&](SettingsRecord& s) {
                s.FileList = {documents_};
                s.Directry2 = backup_;
                s.ExecuteType = exitRun;
                s.MirrorLoadControl = pauseMs;
                s.MirrorChacheSize = 0;
            },
            programFolder_);
    }

    // Started, with the delay held.
    void StartProgram() {
        program_.emplace(programPath_, errorsFile_,
                         std::vector<std::string>{
                             "QT_QPA_PLATFORM=offscreen",
                             "DBUS_SYSTEM_BUS_ADDRESS=" + mock_.BusAddress().toStdString()});
        ASSERT_TRUE(program_->started());
        ASSERT_TRUE(WaitFor([&] {
            return Bytes(errorsFile_).find(kLogOffOnlyNote) != std::string::npos;
        })) << Bytes(errorsFile_);
        ASSERT_EQ(mock_.Inhibitors(), std::vector<QString>{kDelay});
    }
    bool DelayReleased() {
        return WaitFor([&] { return mock_.Inhibitors().empty(); });
    }
    void EndProgram() {
        program_->Send(SIGTERM);
        EXPECT_EQ(program_->WaitForExit(), 0) << Bytes(errorsFile_);
    }

    int argc_ = 1;
    char name_[20] = "shutdown_delay_test";
    char* argv_[1] = {name_};
    QCoreApplication application_{argc_, argv_};
    TestWorld world_;
    LogindMock mock_{world_.MakeFolder("logind")};
    std::string errorsFile_ = JoinPath(world_.base(), "errors.txt");
    std::string programPath_ = CopyProgramInto(world_);
    // The program's own folder holds its lists and its log.
    std::string programFolder_ = std::filesystem::path(programPath_).parent_path();
    std::string log_ = JoinPath(programFolder_, "Log");
    std::string documents_ = world_.MakeFolder("documents");
    std::string backup_ = world_.MakeFolder("backup");
    std::optional<ProgramProcess> program_;
};

// Whether the run is set or not, the shutdown goes on once the program has done its work, and
// the program stays until the system ends it; a shutdown called off is held off again.
TEST_F(ShutdownDelayTest, AnAnnouncedShutdownGetsTheRunBeforeTheSessionEndsWhenItIsSet) {
    world_.Write(documents_, {{"notes.txt", TreeFile{.content = "notes"}}});
    for (const int exitRun : {0, 2}) {
        SCOPED_TRACE(exitRun);
        StoreSettings(exitRun, 0);
        ASSERT_NO_FATAL_FAILURE(StartProgram());

        ASSERT_TRUE(mock_.AnnounceShutdown(true));
        ASSERT_TRUE(DelayReleased());
        EXPECT_EQ(SomeLineHolds(log_, "notes.txt", "自動"), exitRun != 0);
        EXPECT_EQ(HoldsNameWith(backup_, "notes.txt"), exitRun != 0);
        EXPECT_TRUE(program_->IsRunning());

        ASSERT_TRUE(mock_.AnnounceShutdown(false));
        EXPECT_TRUE(WaitFor([&] { return mock_.Inhibitors() == std::vector<QString>{kDelay}; }));
        EndProgram();
    }
}

// The run before the session ends is the quickest way to a run in progress; announced again
// during it (after a shutdown called off), the shutdown stops it and does not make it again.
TEST_F(ShutdownDelayTest, AnAnnouncedShutdownStopsTheRunInProgress) {
    world_.Write(documents_, {{"big.bin", TreeFile{.content = std::string(kBigFileBytes, 'b')}}});
    StoreSettings(2, kPauseMs);
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_TRUE(mock_.AnnounceShutdown(true));
    ASSERT_TRUE(WaitFor([&] { return HoldsNameWith(backup_, kTemporaryCopyPrefix); }))
        << "the run before the session ends did not start";
    ASSERT_TRUE(mock_.AnnounceShutdown(false));
    ASSERT_TRUE(mock_.AnnounceShutdown(true));

    ASSERT_TRUE(DelayReleased());
    EXPECT_FALSE(HoldsNameWith(backup_, kTemporaryCopyPrefix));
    EXPECT_FALSE(HoldsNameWith(backup_, "big.bin"));
    EXPECT_TRUE(SomeLineHolds(log_, "big.bin", "中止"));
    EXPECT_TRUE(program_->IsRunning());
    EndProgram();
}

#endif

}  // namespace
}  // namespace tv::test
