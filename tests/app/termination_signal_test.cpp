// The built program asked to end by a signal, as the system asks it at shutdown or log-off: a run
// in progress stops as the stop-all button stops it, the files of the program stay whole, and
// the program exits 0.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "engine/durability/leftover_copies.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "schedule/schedule_list.h"
#include "tests/app/program_files.h"
#include "tests/app/program_process.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

#ifdef TV_PROGRAM_PATH

namespace fs = std::filesystem;

// Printed once the signals are caught.
constexpr const char* kRunningNote = "tessaravine: no session manager";
// 256 buffers of 32 KB, each followed by a pause of 20 ms: about five seconds of copying.
constexpr size_t kBigFileBytes = 8u << 20;
constexpr int kPauseMs = 20;

// A file/directory schedule of the big file, due at the first ten-second tick that comes within
// the minute of now + 15 s: the first or the second tick after the program's start.
void ScheduleSlowCopy(const TestWorld& world, const std::string& programFolder,
                      const std::string& source, const std::string& destination) {
    DriveTable drives(world.configDir());
    drives.Refresh();
    RegistryStore registry(JoinPath(world.configDir(), kRegistryFileName));
    const SettingsContext context{drives, registry, world.locations(), RealClock()};
    ScheduleEntry entry = ScheduleEntry::New(context);
    const DateTime due = DateTime::FromTimeT(std::time(nullptr) + 15);
    entry.StartTime = DateTime::FromTime(due.Hour(), due.Minute());
    entry.Settings.FileList = {source};
    entry.Settings.Directry2 = destination;
    entry.Settings.MirrorLoadControl = kPauseMs;
    entry.Settings.MirrorChacheSize = 0;
    ScheduleList schedules(programFolder);
    schedules.Append(entry);
    ASSERT_TRUE(schedules.Save());
}

class TerminationSignalTest : public ::testing::Test {
  protected:
    void SetUp() override { StoreSettingsOfAnEarlierRun(world_); }

    TestWorld world_;
    std::string errorsFile_ = JoinPath(world_.base(), "errors.txt");
    std::string settingsFile_ = JoinPath(world_.configDir(), kRegistryFileName);
    // The program's own folder holds its schedules and its log.
    std::string program_ = CopyProgramInto(world_);
    std::string programFolder_ = fs::path(program_).parent_path();
    std::string scheduleFile_ = JoinPath(programFolder_, ScheduleList::kFileName);
};

TEST_F(TerminationSignalTest, EachSignalEndsAnIdleProgramWithZero) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        const std::string settings = Bytes(settingsFile_);
        ProgramProcess program(program_, errorsFile_);
        ASSERT_TRUE(program.started());
        ASSERT_TRUE(
            WaitFor([&] { return Bytes(errorsFile_).find(kRunningNote) != std::string::npos; }));
        program.Send(signal);
        EXPECT_EQ(program.WaitForExit(), 0) << Bytes(errorsFile_);
        EXPECT_EQ(Bytes(settingsFile_), settings);
    }
}

// At the first start the settings dialog is open in a loop of its own before the main loop runs,
// which quitting alone never reaches.
TEST(TerminationSignalAtFirstStartTest, ASignalEndsTheProgramWhileTheSettingsDialogIsOpen) {
    TestWorld world;
    const std::string errors = JoinPath(world.base(), "errors.txt");
    ProgramProcess program(CopyProgramInto(world), errors);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(WaitFor([&] { return Bytes(errors).find(kRunningNote) != std::string::npos; }));
    program.Send(SIGTERM);
    EXPECT_EQ(program.WaitForExit(), 0) << Bytes(errors);
}

TEST_F(TerminationSignalTest, SigtermStopsTheRunInProgressAndExitsWithZero) {
    const std::string source = world_.MakeFolder("documents");
    world_.Write(source, {{"big.bin", TreeFile{.content = std::string(kBigFileBytes, 'b')}}});
    const std::string destination = world_.MakeFolder("backup");
    ScheduleSlowCopy(world_, programFolder_, source, destination);
    const std::string settings = Bytes(settingsFile_);
    const std::string schedules = Bytes(scheduleFile_);

    ProgramProcess program(program_, errorsFile_);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(WaitFor([&] { return HoldsNameWith(destination, kTemporaryCopyPrefix); }))
        << "the scheduled run did not start";
    program.Send(SIGTERM);

    EXPECT_EQ(program.WaitForExit(), 0) << Bytes(errorsFile_);
    EXPECT_FALSE(HoldsNameWith(destination, kTemporaryCopyPrefix));
    EXPECT_TRUE(SomeLineHolds(JoinPath(programFolder_, "Log"), "big.bin", "中止"));
    EXPECT_EQ(Bytes(settingsFile_), settings);
    EXPECT_EQ(Bytes(scheduleFile_), schedules);
}

#endif

}  // namespace
}  // namespace tv::test
