// The transfer speed test: makes the test file, copies it to the unit's destination a number of
// times the way that unit's runs copy, and gives the average time. The user is told when the
// file is made and when the timing begins, and asked what to do when the drive has no medium or
// too little space.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/scan/timed_copy.h"
#include "platform/drive_table.h"
#include "platform/prompts.h"
#include "platform/share_mounter.h"
#include "settings/settings_record.h"
#include "settings/unit_options.h"

namespace tv {

constexpr const char* kTestFileStartMessage = "転送速度測定用ファイル作成を開始します";
constexpr const char* kTimingStartMessage = "転送制御有での転送速度を測定を開始します";
constexpr const char* kNoMediumQuestion =
    "ドライブにメディアが入っていません\n処理を中止しますか？\n\n処理を続行する場合は、ドライブにメ"
    "ディアを　　\n入れてください";
constexpr const char* kNoSpaceQuestion = "空き容量が不足しています\n処理を中止しますか？";

struct SpeedTestRequest {
    SettingsUnit unit = SettingsUnit::DriveUnit;
    char removableLetter = 0;  // the drive measured for the removable unit
    uint32_t megabytes = 1;
    uint32_t runs = 1;  // at least 1
};

struct SpeedTestServices {
    const DriveTable& drives;
    ShareMounter& mounter;
    Prompts& prompts;
    std::string programDir;    // where the test file is made, but for removable media
    std::string documentsDir;  // where the copies go when the destination does not exist
};

// Where the test file is made: the removable drive's root, else the program folder.
std::string TestFilePath(const SpeedTestRequest& request, const SpeedTestServices& services);

// The folder the timed copies go to: the unit's destination when it exists or is a share, else
// the documents folder.
std::string TimedCopyFolder(const SpeedTestRequest& request, const SettingsRecord& settings,
                            const std::string& documentsDir);

// The speed test in its steps, so that a window can make the file and time the copies on a
// worker thread while it keeps answering: the steps that ask the user or connect a share run on
// the caller's thread, WriteFile and the copy of an order may run on another. Whatever the test
// made and still holds (the test file, a copy, a connection) goes when it is destroyed.
class SpeedTest {
  public:
    // request, settings and services must outlive the test.
    SpeedTest(const SpeedTestRequest& request, SettingsRecord& settings,
              const SpeedTestServices& services);
    ~SpeedTest();
    SpeedTest(const SpeedTest&) = delete;
    SpeedTest& operator=(const SpeedTest&) = delete;

    // Tells the user the file is being made and asks until its drive is ready; false when the
    // user gave up.
    bool ReadyForFile();
    // Makes the test file (any thread); false when it could not be written whole or stop was
    // set, and then nothing is left behind.
    bool WriteFile(const std::atomic<bool>* stop = nullptr);
    // Tells the user that the timing begins.
    void TellTimingStart();
    // True while runs are left.
    bool RunsLeft() const { return runsDone_ < request_.runs; }
    // Connects the next run's destination; no order when it cannot be reached (the run then
    // counts 0 ms: EndRun(0)).
    std::optional<TimedCopyOrder> BeginRun();
    // Deletes the run's copy, disconnects what BeginRun connected and adds its time.
    void EndRun(uint64_t ms);
    // Deletes the test file; the average of the runs in milliseconds (0 for no runs).
    uint64_t Finish();

  private:
    void DeleteTestFile();

    const SpeedTestRequest& request_;
    SettingsRecord& settings_;
    const SpeedTestServices& services_;
    std::string testFile_;
    bool fileMade_ = false;
    uint32_t runsDone_ = 0;
    uint64_t totalMs_ = 0;
    // The copy of the run under way and the share it connected.
    std::string copy_;
    std::string connected_;
};

// Runs every step of the test on this thread; the average in milliseconds, 0 when the user
// gave up or every copy failed.
uint64_t AverageCopyMs(const SpeedTestRequest& request, SettingsRecord& settings,
                       const SpeedTestServices& services);

}  // namespace tv
