#include "controller/test_mode/speed_test_run.h"

#include "engine/copy_job.h"
#include "engine/test_file_copy.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "settings/network_connection.h"

namespace tv {

namespace {

constexpr const char* kInformationCaption = "情報";
constexpr const char* kConfirmCaption = "確認";

struct CopySettings {
    const std::string* destination;
    int32_t cacheSize;
    int32_t loadControl;
};

CopySettings CopySettingsOf(const SpeedTestRequest& request, const SettingsRecord& s) {
    switch (request.unit) {
        case TestUnit::DriveUnit:
            return {&s.SynchroDirectory, s.SyncChacheSize, s.SyncLoadControl};
        case TestUnit::FileDir:
            return {&s.Directry2, s.MirrorChacheSize, s.MirrorLoadControl};
        case TestUnit::Removable:
            break;
    }
    const int index = request.removableLetter - 'A';
    static const std::string none;
    const std::string* folder =
        index >= 0 && index < kDriveLetterCount ? &s.Drives[index].BackupDir : &none;
    return {folder, s.RemChacheSize, s.RemLoadControl};
}

void Tell(Prompts& prompts, const char* text) {
    prompts.MessageBox(text, kInformationCaption, kMbOk | kMbIconInformation);
}

bool UserGivesUp(Prompts& prompts, const char* question) {
    return prompts.MessageBox(question, kConfirmCaption, kMbYesNo | kMbIconQuestion) == kIdYes;
}

// Asks until the drive of path holds a medium with room for the file, or the user gives up.
bool DriveIsReady(const std::string& path, uint64_t bytes, const SpeedTestServices& services) {
    const std::string root = services.drives.RootOf(services.drives.DriveOfPath(path));
    for (;;) {
        if (root.empty() || !PathExists(root)) {
            if (UserGivesUp(services.prompts, kNoMediumQuestion)) return false;
            continue;
        }
        uint64_t free = 0;
        if (services.drives.FreeBytesAvailable(root, &free) && free > bytes) return true;
        if (UserGivesUp(services.prompts, kNoSpaceQuestion)) return false;
    }
}

// A file that could not be written whole is not left behind.
bool MakeTestFile(const std::string& path, uint32_t megabytes, const SpeedTestServices& services) {
    Tell(services.prompts, kTestFileStartMessage);
    if (!DriveIsReady(path, TestFileBytes(megabytes), services)) return false;
    if (WriteTestFile(path, megabytes)) return true;
    DeleteFile(path);
    return false;
}

uint64_t OneTimedCopy(const std::string& source, const SpeedTestRequest& request,
                      SettingsRecord& settings, const SpeedTestServices& services) {
    const CopySettings copy = CopySettingsOf(request, settings);
    const std::string folder = TimedCopyFolder(request, settings, services.documentsDir);
    const bool network = IsNetworkPath(folder);
    const int connection =
        network ? ConnectDestination(settings, folder, services.mounter, services.prompts) : 1;
    if (connection < 0) return 0;
    const std::string destination = JoinPath(folder, kTestFileName);
    const uint64_t ms =
        TimedCopy(source, destination, BufferSizeForSetting(copy.cacheSize), copy.loadControl);
    DeleteFile(destination);
    if (connection == 0) DisconnectDestination(folder, services.mounter);
    return ms;
}

}  // namespace

std::string TestFilePath(const SpeedTestRequest& request, const SpeedTestServices& services) {
    const std::string folder = request.unit == TestUnit::Removable
                                   ? services.drives.RootOf(request.removableLetter)
                                   : services.programDir;
    return JoinPath(folder, kTestFileName);
}

std::string TimedCopyFolder(const SpeedTestRequest& request, const SettingsRecord& settings,
                            const std::string& documentsDir) {
    const std::string& destination = *CopySettingsOf(request, settings).destination;
    if (IsNetworkPath(destination) || (!destination.empty() && IsDirectory(destination))) {
        return destination;
    }
    return documentsDir;
}

uint64_t AverageCopyMs(const SpeedTestRequest& request, SettingsRecord& settings,
                       const SpeedTestServices& services) {
    if (request.runs == 0) return 0;
    const std::string source = TestFilePath(request, services);
    if (!MakeTestFile(source, request.megabytes, services)) return 0;
    Tell(services.prompts, kTimingStartMessage);
    uint64_t total = 0;
    for (uint32_t run = 0; run < request.runs; ++run) {
        total += OneTimedCopy(source, request, settings, services);
    }
    DeleteFile(source);
    return total / request.runs;
}

}  // namespace tv
