#include "controller/runners/file_dir_run.h"

#include <cstdio>

#include "controller/notice_texts.h"
#include "controller/ports/copy_runner.h"
#include "controller/runners/destination_below.h"
#include "controller/runners/destination_connection.h"
#include "controller/runners/single_file_item.h"
#include "controller/runners/whole_drive_run.h"
#include "engine/job/step_log.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr const char* kNoDestination =
    "転送先が指定されていません\r\nFile/Directoryのミラーリングを終了します";
constexpr const char* kNoItemDestination =
    "転送先が指定されていません\r\nフォルダバックアップ処理を終了します";
constexpr const char* kBackUpQuestion = "バックアップします。";
constexpr const char* kErrorCaption = "Error";
constexpr const char* kConfirmCaption = "確認";
constexpr const char* kDrivesTitle = "ミラーリング 進捗状況 Files:";

std::string ItemTitle(size_t number, size_t count) {
    char title[96];
    std::snprintf(title, sizeof title, "ﾌｫﾙﾀﾞﾊﾞｯｸｱｯﾌﾟ 進捗状況 %zu/%zu Files:", number, count);
    return title;
}

RunStep RunFolderItem(RunHost& host, const SettingsRecord& settings, const std::string& item,
                      const std::string& destination, const std::string& title, RunOrigin origin) {
    CopyLaunch launch;
    launch.title = title;
    launch.source = item;
    launch.destination = destination;
    launch.kind = RunKind::FileDir;
    launch.origin = origin;
    const LogRecord log = RunLogFields(host.runServices().clock.NowDateTime(), kUnitFileDir, item,
                                       IsManual(origin), false);
    const CopyRunResult run = LaunchCopyRun(host, settings, launch, log);
    return run.windowResult == kIdStopAll ? RunStep::Stop : RunStep::Continue;
}

void NoteUnreachable(RunHost& host, const std::string& destination) {
    host.runFailures().AddUnreachableDestination(destination,
                                                 LogDateText(host.runServices().clock));
}

void NoteRefused(RunHost& host, const std::string& destination) {
    host.runFailures().AddRefusedDestination(destination, LogDateText(host.runServices().clock));
}

RunStep RunItem(RunHost& host, const SettingsRecord& settings, size_t index, size_t count,
                RunOrigin origin) {
    if (settings.Directry2.empty()) return RunStep::Stop;
    const std::string& item = settings.FileList[index];
    const uint32_t attributes = GetFileAttributes(item);
    // A bare drive ("D:") is no item of this list: whole drives are chosen by their role.
    if (attributes == kInvalidAttributes || item.back() == ':') return RunStep::Continue;
    // An item named "..", "." or "/" would make the destination the folder itself or one above
    // it, where a mirroring would trash what the other items left there.
    const std::string name = ItemName(item);
    const std::optional<std::string> destination = DestinationBelow(settings.Directry2, name);
    if (!destination) {
        NoteRefused(host, JoinPath(settings.Directry2, name));
        return RunStep::Continue;
    }
    if ((attributes & kAttrDirectory) != 0) {
        return RunFolderItem(host, settings, item, *destination, ItemTitle(index + 1, count),
                             origin);
    }
    CopySingleFileItem(host, settings, item, *destination, origin);
    return RunStep::Continue;
}

RunStep RunEveryItem(RunHost& host, const SettingsRecord& settings, RunOrigin origin) {
    const size_t count = settings.FileList.size();
    for (size_t index = 0; index < count; ++index) {
        if (RunItem(host, settings, index, count, origin) == RunStep::Stop) return RunStep::Stop;
    }
    return RunStep::Continue;
}

// The drives chosen in choice, copied with the destination and options of job.
void RunSourceDrives(RunHost& host, const SettingsRecord& choice, const SettingsRecord& job,
                     RunOrigin origin) {
    for (int index = 0; index < kDriveLetterCount; ++index) {
        if (choice.Drives[index].Work != DriveWork::UnitSource) continue;
        const WholeDriveRun run{DriveLetterAt(index), job.Directry2,    kDrivesTitle,
                                kUnitFileDir,         RunKind::FileDir, origin};
        if (RunWholeDrive(host, job, run) == RunStep::Stop) return;
    }
}

}  // namespace

RunStep RunFileDirItems(RunHost& host, SettingsRecord& settings, RunOrigin origin) {
    const RunServices services = host.runServices();
    if (settings.Directry2.empty() && IsManual(origin)) {
        services.prompts.MessageBox(kNoItemDestination, "", kMbOk | kMbIconInformation);
        return RunStep::Stop;
    }
    if (IsManual(origin) &&
        services.prompts.MessageBox(kBackUpQuestion, kConfirmCaption,
                                    kMbOkCancel | kMbIconQuestion) == kIdCancel) {
        return RunStep::Stop;
    }
    const DestinationConnection connection(settings, settings.Directry2, services.shares,
                                           services.prompts);
    if (connection.failed()) {
        NoteUnreachable(host, settings.Directry2);
        return RunStep::Stop;
    }
    return RunEveryItem(host, settings, origin);
}

void RunFileDir(RunHost& host, SettingsRecord& settings, RunOrigin origin) {
    const RunServices services = host.runServices();
    host.NoteRunOrigin(origin);
    const bool recomputes = origin == RunOrigin::Timer || origin == RunOrigin::Manual;
    if (settings.Directry2.empty() && IsManual(origin)) {
        services.prompts.MessageBox(kNoDestination, kErrorCaption, kMbOk | kMbIconExclamation);
        return;
    }
    const RunBracket bracket = host.BeginRun(TickDuringRun::Stopped, kFileDirUnitName);
    if (!bracket.entered()) {
        if (origin == RunOrigin::Timer) host.RecomputeNextFileDirTime();
        return;
    }
    if (RunFileDirItems(host, settings, origin) == RunStep::Stop) return;
    // A schedule chooses only which drives its run copies whole; where they go and how they are
    // copied stays the live settings' choice.
    SettingsRecord& job = origin == RunOrigin::Schedule ? host.settings() : settings;
    {
        const DestinationConnection connection(job, job.Directry2, services.shares,
                                               services.prompts);
        if (connection.failed()) {
            NoteUnreachable(host, job.Directry2);
            if (origin == RunOrigin::Timer) host.RecomputeNextFileDirTime();
            return;
        }
        RunSourceDrives(host, settings, job, origin);
    }
    if (recomputes) host.RecomputeNextFileDirTime();
}

}  // namespace tv
