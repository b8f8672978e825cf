#include "controller/test_mode/speed_test_run.h"

#include "engine/job/copy_job.h"
#include "engine/scan/timed_copy.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "settings/network_connection.h"

namespace tv {

namespace {

constexpr const char* kInformationCaption = "情報";
constexpr const char* kConfirmCaption = "確認";

// The destination of the unit under test: the unit's folder, or the backup folder of the
// removable drive.
const std::string& DestinationOf(const SpeedTestRequest& request, const SettingsRecord& s) {
    switch (request.unit) {
        case SettingsUnit::DriveUnit:
            return s.SynchroDirectory;
        case SettingsUnit::FileDir:
            return s.Directry2;
        case SettingsUnit::Removable:
            break;
    }
    const int index = request.removableLetter - 'A';
    static const std::string none;
    return index >= 0 && index < kDriveLetterCount ? s.Drives[index].BackupDir : none;
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
        // A volume that cannot tell its room is written to: the write finds out.
        uint64_t free = 0;
        if (!services.drives.FreeBytesAvailable(root, &free) || free > bytes) return true;
        if (UserGivesUp(services.prompts, kNoSpaceQuestion)) return false;
    }
}

}  // namespace

std::string TestFilePath(const SpeedTestRequest& request, const SpeedTestServices& services) {
    const std::string folder = request.unit == SettingsUnit::Removable
                                   ? services.drives.RootOf(request.removableLetter)
                                   : services.programDir;
    return JoinPath(folder, kTestFileName);
}

std::string TimedCopyFolder(const SpeedTestRequest& request, const SettingsRecord& settings,
                            const std::string& documentsDir) {
    const std::string& destination = DestinationOf(request, settings);
    if (IsNetworkPath(destination) || (!destination.empty() && IsDirectory(destination))) {
        return destination;
    }
    return documentsDir;
}

SpeedTest::SpeedTest(const SpeedTestRequest& request, SettingsRecord& settings,
                     const SpeedTestServices& services)
    : request_(request),
      settings_(settings),
      services_(services),
      testFile_(TestFilePath(request, services)) {}

SpeedTest::~SpeedTest() {
    if (!copy_.empty()) EndRun(0);
    DeleteTestFile();
}

bool SpeedTest::ReadyForFile() {
    Tell(services_.prompts, kTestFileStartMessage);
    return DriveIsReady(testFile_, TestFileBytes(request_.megabytes), services_);
}

bool SpeedTest::WriteFile(const std::atomic<bool>* stop) {
    fileMade_ = true;
    if (WriteTestFile(testFile_, request_.megabytes, stop)) return true;
    DeleteTestFile();
    return false;
}

void SpeedTest::TellTimingStart() { Tell(services_.prompts, kTimingStartMessage); }

std::optional<TimedCopyOrder> SpeedTest::BeginRun() {
    const UnitOptions copy = UnitOptionsOf(settings_, request_.unit);
    const std::string folder = TimedCopyFolder(request_, settings_, services_.documentsDir);
    if (IsNetworkPath(folder)) {
        const int connection =
            ConnectDestination(settings_, folder, services_.mounter, services_.prompts);
        if (connection < 0) return std::nullopt;
        if (connection == 0) connected_ = folder;
    }
    copy_ = JoinPath(folder, kTestFileName);
    return TimedCopyOrder{testFile_, copy_, BufferSizeForSetting(copy.cacheSize), copy.loadControl};
}

void SpeedTest::EndRun(uint64_t ms) {
    if (!copy_.empty()) DeleteFile(copy_);
    copy_.clear();
    if (!connected_.empty()) DisconnectDestination(connected_, services_.mounter);
    connected_.clear();
    totalMs_ += ms;
    ++runsDone_;
}

uint64_t SpeedTest::Finish() {
    DeleteTestFile();
    return request_.runs == 0 ? 0 : totalMs_ / request_.runs;
}

void SpeedTest::DeleteTestFile() {
    if (fileMade_) DeleteFile(testFile_);
    fileMade_ = false;
}

uint64_t AverageCopyMs(const SpeedTestRequest& request, SettingsRecord& settings,
                       const SpeedTestServices& services) {
    if (request.runs == 0) return 0;
    SpeedTest test(request, settings, services);
    if (!test.ReadyForFile() || !test.WriteFile()) return 0;
    test.TellTimingStart();
    while (test.RunsLeft()) {
        const std::optional<TimedCopyOrder> order = test.BeginRun();
        test.EndRun(order ? TimedCopy(*order) : 0);
    }
    return test.Finish();
}

}  // namespace tv
