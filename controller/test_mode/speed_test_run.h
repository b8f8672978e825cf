// The transfer speed test: makes the test file, copies it to the unit's destination a number of
// times the way that unit's runs copy, and gives the average time. The user is told when the
// file is made and when the timing begins, and asked what to do when the drive has no medium or
// too little space.
#pragma once

#include <cstdint>
#include <string>

#include "controller/test_mode/test_unit.h"
#include "platform/drive_table.h"
#include "platform/prompts.h"
#include "platform/share_mounter.h"
#include "settings/settings_record.h"

namespace tv {

constexpr const char* kTestFileStartMessage = "転送速度測定用ファイル作成を開始します";
constexpr const char* kTimingStartMessage = "転送制御有での転送速度を測定を開始します";
constexpr const char* kNoMediumQuestion =
    "ドライブにメディアが入っていません\n処理を中止しますか？\n\n処理を続行する場合は、ドライブにメ"
    "ディアを　　\n入れてください";
constexpr const char* kNoSpaceQuestion = "空き容量が不足しています\n処理を中止しますか？";

struct SpeedTestRequest {
    TestUnit unit = TestUnit::DriveUnit;
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

// Makes the test file, times request.runs copies and deletes what it made; the average in
// milliseconds, 0 when the user gave up or every copy failed.
uint64_t AverageCopyMs(const SpeedTestRequest& request, SettingsRecord& settings,
                       const SpeedTestServices& services);

}  // namespace tv
