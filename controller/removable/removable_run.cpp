#include "controller/removable/removable_run.h"

#include "controller/removable/medium_announcement.h"
#include "controller/removable/medium_identifier.h"
#include "controller/removable/voice_guide.h"
#include "controller/runners/copy_launch.h"
#include "controller/runners/decision_file.h"
#include "controller/runners/destination_below.h"
#include "controller/runners/destination_connection.h"
#include "engine/job/step_log.h"
#include "platform/file_system.h"
#include "platform/node_identity.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr const char* kNoDestination = "転送先のドライブを設定して下さい";
constexpr const char* kNoDestinationCaption = "エラー";
constexpr const char* kNoMediumOrProtected = "メディアが入っていないかプロテクトがかかっています。";
constexpr const char* kConfirmCaption = "確認";
constexpr const char* kAutoTitle = "自動ミラーリング 進捗状況 Files:";
constexpr const char* kManualTitle = "手動ミラーリング 進捗状況 Files:";

// How the automatic and the manual run differ.
struct RemovableStyle {
    RunOrigin origin;
    SerialStorage serialStorage;
    const char* title;
    DecisionLayout volumeLayout;
};

constexpr RemovableStyle kAutomatic{RunOrigin::Medium, SerialStorage::BestEffort, kAutoTitle,
                                    DecisionLayout::Commas};
constexpr RemovableStyle kManual{RunOrigin::Manual, SerialStorage::Required, kManualTitle,
                                 DecisionLayout::Tabs};

DriveEntry& DriveOf(RunHost& runs, char letter) { return runs.settings().Drives[letter - 'A']; }

bool HasDestination(RunHost& runs, char letter) {
    if (!DriveOf(runs, letter).BackupDir.empty()) return true;
    runs.runServices().prompts.MessageBox(kNoDestination, kNoDestinationCaption,
                                          kMbOk | kMbIconExclamation);
    return false;
}

// The user confirms a manual run by the drive's name and what is about to happen.
bool UserConfirms(RunHost& runs, char letter, bool known) {
    const std::string text =
        DriveOf(runs, letter).Name + (known ? "をミラーリングします。" : "をバックアップします。");
    return runs.runServices().prompts.MessageBox(text, kConfirmCaption,
                                                 kMbOkCancel | kMbIconQuestion) == kIdOk;
}

// A medium taken out during its run leaves its drive's folder behind, empty or holding what
// lies under the mount: the run did not copy the medium, so it is not recorded as done.
bool IsSameRoot(const std::string& root, const NodeIdentity& before) {
    NodeIdentity after;
    return GetNodeIdentity(root, &after) && after == before;
}

void RecordRun(DecisionFile& decisions, const MediumIdentifier& medium, const RemovableStyle& style,
               bool known, const DateTime& start) {
    if (medium.byVolumeSerial) {
        decisions.Append(medium.volumeSerial, style.volumeLayout, known, start);
    } else {
        decisions.Append(medium.serialText, known, start);
    }
}

void CopyMedium(MediaHost& host, char letter, const RemovableStyle& style) {
    RunHost& runs = host.runs();
    const RunServices services = runs.runServices();
    DecisionFile decisions;
    decisions.Open(services.locations.programDir);
    const DateTime start = services.clock.NowDateTime();
    const std::optional<MediumIdentifier> medium =
        IdentifyMediumForRun(services.drives, host.media(), letter, style.serialStorage);
    if (!medium) {
        services.prompts.MessageBox(kNoMediumOrProtected, kConfirmCaption,
                                    kMbOk | kMbIconExclamation);
        return;
    }
    const bool known = decisions.Find(medium->DecisionText());
    const std::string root = services.drives.RootOf(letter);
    NodeIdentity rootAtStart;
    if (root.empty() || !GetNodeIdentity(root, &rootAtStart)) return;

    const std::string& backupDir = DriveOf(runs, letter).BackupDir;
    const std::optional<std::string> destination =
        DestinationBelow(backupDir, medium->FolderName());
    if (!destination) {
        runs.runFailures().AddRefusedDestination(JoinPath(backupDir, medium->FolderName()),
                                                 LogDateText(services.clock));
        return;
    }
    SettingsRecord& settings = runs.settings();
    CopyLaunch launch;
    launch.title = style.title;
    launch.source = root;
    launch.destination = *destination;
    launch.kind = RunKind::Removable;
    launch.origin = style.origin;
    const DestinationConnection connection(settings, launch.destination, services.shares,
                                           services.prompts);
    if (connection.failed()) {
        runs.runFailures().AddUnreachableDestination(backupDir, LogDateText(services.clock));
        return;
    }
    if (IsManual(style.origin)) {
        if (!UserConfirms(runs, letter, known)) return;
    } else {
        AnnounceMedium(host, letter, known);
    }
    const LogRecord log =
        RunLogFields(start, kUnitRemovable, std::string(1, letter), IsManual(style.origin), known);
    const CopyRunResult run = LaunchCopyRun(runs, settings, launch, log);
    const bool hadError = run.outcome.HadError != 0;
    if (settings.Sound != 0) PlayVoice(host, EndVoiceFile(known, hadError), true);
    if (run.windowResult == kIdStopAll || run.windowResult == kIdStopAndNext) return;
    if (IsSameRoot(root, rootAtStart)) RecordRun(decisions, *medium, style, known, start);
}

void RunRemovable(MediaHost& host, char letter, const RemovableStyle& style) {
    RunHost& runs = host.runs();
    if (!HasDestination(runs, letter)) return;
    const RunBracket bracket = runs.BeginRun(TickDuringRun::GoesOn, DriveOf(runs, letter).Name);
    if (!bracket.entered()) return;
    runs.NoteRunOrigin(style.origin);
    CopyMedium(host, letter, style);
}

}  // namespace

void RunRemovableAuto(MediaHost& host, char letter) { RunRemovable(host, letter, kAutomatic); }

void RunRemovableManual(MediaHost& host, char letter) { RunRemovable(host, letter, kManual); }

}  // namespace tv
