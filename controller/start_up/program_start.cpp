#include "controller/start_up/program_start.h"

#include "controller/start_up/settings_file_start.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tv {

namespace {

constexpr const char* kAlreadyRunning = "Tessaravineはすでに起動されています";
constexpr const char* kNoSafeLockFolder =
    "二重起動を防ぐロックファイルを、ほかのユーザーが変更できないフォルダに作成できないため、"
    "Tessaravineを起動できません: ";
constexpr const char* kProgramCaption = "Tessaravine";
constexpr const char* kNoNotificationAreaNotice =
    "通知領域がないため、アイコンを表示できません。設定は、アプリケーションメニューから"
    "「Tessaravine」をもう一度起動すると開きます。";
constexpr const char* kTerminalPrefix = "Tessaravine: ";

// The activity log store never makes its folder; without it every record would be dropped.
// What the folders will hold (settings, credentials, the names of the user's files) is the
// user's alone.
void MakeFolders(const Locations& locations) {
    EnsurePrivateFolder(locations.programDir);
    EnsurePrivateFolder(JoinPath(locations.programDir, "Log"));
    EnsurePrivateFolder(locations.configDir);
}

// What a save killed halfway left of the program's own files; this instance is the only
// writer of them now.
void RemoveUnfinishedSaves(const Locations& locations) {
    RemoveTemporariesBesideIn(locations.programDir);
    RemoveTemporariesBesideIn(locations.configDir);
}

std::optional<StartMessage> SettingsFileMessage(RegistryStore& registry) {
    std::string keptAs;
    switch (LoadSettingsFileAtStart(registry, &keptAs)) {
        case SettingsFileStart::Loaded:
            return std::nullopt;
        case SettingsFileStart::KeptAside:
            return StartMessage{
                StartNotice::SettingsFileKeptAside,
                "damaged settings file kept as " + keptAs + "; starting with the defaults"};
        case SettingsFileStart::NotKeptAside:
            return StartMessage{
                StartNotice::SettingsFileNotKeptAside,
                "damaged settings file " + registry.path() + " could not be kept aside"};
    }
    return std::nullopt;
}

std::optional<StartMessage> PinnedDrivesMessage(DriveTable& drives) {
    std::string error;
    if (drives.LoadPinnedDrives(&error)) return std::nullopt;
    return StartMessage{StartNotice::PinnedDrivesDamaged, error};
}

}  // namespace

ProgramStart StartProgram(const Locations& locations, SingleInstance& instance,
                          InstanceListener& listener, RegistryStore& registry, DriveTable& drives) {
    ProgramStart start;
    switch (instance.Acquire(locations.lockDir)) {
        case InstanceLock::Held:
            break;
        case InstanceLock::HeldElsewhere:
            start.handedOver = AskRunningInstanceToOpenSettings(locations.lockDir);
            if (!start.handedOver) {
                start.messages.push_back({StartNotice::AlreadyRunning, kAlreadyRunning});
            }
            return start;
        case InstanceLock::NoSafeFolder:
            start.messages.push_back(
                {StartNotice::NoSafeLockFolder, kNoSafeLockFolder + locations.lockDir});
            return start;
    }
    start.proceed = true;
    if (!listener.Listen(locations.lockDir)) {
        start.messages.push_back(
            {StartNotice::NoInstanceChannel, "cannot listen in " + locations.lockDir +
                                                 "; a second start cannot open the settings"});
    }
    MakeFolders(locations);
    RemoveUnfinishedSaves(locations);
    for (const std::optional<StartMessage>& message :
         {SettingsFileMessage(registry), PinnedDrivesMessage(drives)}) {
        if (message) start.messages.push_back(*message);
    }
    return start;
}

std::optional<StartMessage> TrayStartMessage(bool iconAdded, bool notificationAreaPresent) {
    if (!iconAdded) {
        return StartMessage{StartNotice::NoNotificationArea,
                            "no notification area; running without an icon"};
    }
    if (!notificationAreaPresent) {
        return StartMessage{StartNotice::NotificationAreaLater,
                            "no notification area yet; the icon appears in one"};
    }
    return std::nullopt;
}

void TellUser(const StartMessage& message, Prompts& prompts, std::FILE* terminal) {
    const bool inBox = message.notice == StartNotice::AlreadyRunning ||
                       message.notice == StartNotice::NoSafeLockFolder;
    if (inBox) prompts.MessageBox(message.text, kProgramCaption, kMbOk | kMbIconHand);
    if (message.notice == StartNotice::AlreadyRunning) return;
    std::fprintf(terminal, "%s%s\n", kTerminalPrefix, message.text.c_str());
}

void TellUser(const StartMessage& message, Prompts& prompts, Notifier& notifier,
              std::FILE* terminal) {
    TellUser(message, prompts, terminal);
    if (message.notice == StartNotice::NoNotificationArea ||
        message.notice == StartNotice::NotificationAreaLater) {
        notifier.Notify({kProgramCaption, kNoNotificationAreaNotice, std::nullopt});
    }
}

}  // namespace tv
