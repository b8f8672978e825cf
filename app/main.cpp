// The resident program: one process per user, a tray icon, timers and message boxes wired to
// the frame, which makes every decision.
#include <QApplication>
#include <QSystemTrayIcon>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/qt_timers.h"
#include "app/qt_tray.h"
#include "app/settings_dialog_pending.h"
#include "controller/main_frame.h"
#include "controller/settings_file_start.h"
#include "engine/idle_library.h"
#include "platform/clock.h"
#include "platform/drive_table.h"
#include "platform/locations.h"
#include "platform/paths.h"
#include "platform/registry_store.h"
#include "platform/single_instance.h"
#include "ui/message_box_prompts.h"

namespace {

constexpr const char* kAlreadyRunning = "Tessaravineはすでに起動されています";
constexpr const char* kProgramCaption = "Tessaravine";

tv::IdleFunction IdleFunctionOf(tv::IdleLibrary& library) {
    if (!library.HasFunction()) return {};
    return [&library] { return library.IsIdle() ? 1 : 0; };
}

// A damaged settings file is kept aside rather than replaced; the terminal is told where.
void LoadSettingsFile(tv::RegistryStore& registry) {
    std::string keptAs;
    switch (tv::LoadSettingsFileAtStart(registry, &keptAs)) {
        case tv::SettingsFileStart::Loaded:
            break;
        case tv::SettingsFileStart::KeptAside:
            std::fprintf(
                stderr,
                "Tessaravine: damaged settings file kept as %s; starting with the defaults\n",
                keptAs.c_str());
            break;
        case tv::SettingsFileStart::NotKeptAside:
            std::fprintf(stderr, "Tessaravine: damaged settings file %s could not be kept aside\n",
                         registry.path().c_str());
            break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tv::MessageBoxPrompts prompts;

    const tv::Locations locations = tv::DefaultLocations();
    tv::SingleInstance instance;
    if (!instance.Acquire(locations.lockDir)) {
        prompts.MessageBox(kAlreadyRunning, kProgramCaption, tv::kMbOk | tv::kMbIconHand);
        return EXIT_FAILURE;
    }

    tv::EnsureFolder(locations.programDir);
    // The activity log store never makes its folder; without it every record would be dropped.
    tv::EnsureFolder(tv::JoinPath(locations.programDir, "Log"));
    tv::EnsureFolder(locations.configDir);
    tv::RegistryStore registry(tv::JoinPath(locations.configDir, tv::kRegistryFileName));
    LoadSettingsFile(registry);
    tv::DriveTable drives(locations.configDir);
    std::string pinnedDrivesError;
    if (!drives.LoadPinnedDrives(&pinnedDrivesError)) {
        std::fprintf(stderr, "Tessaravine: %s\n", pinnedDrivesError.c_str());
    }
    tv::IdleLibrary idleLibrary(locations.programDir);
    tv::QtTray tray;
    tv::QtTimers timers;
    tv::SettingsDialogPending settingsDialog;

    tv::MainFrame frame(tv::FrameServices{tv::RealClock(), drives, registry, locations, prompts,
                                          tray, timers, settingsDialog, IdleFunctionOf(idleLibrary),
                                          [] { QCoreApplication::quit(); }});
    tray.SetEventHandler([&frame](tv::TrayEvent event) { frame.OnTrayEvent(event); });
    timers.SetTimeoutHandler([&frame](int id) { frame.OnTimer(id); });
    frame.Start();
    if (!frame.iconAdded()) {
        std::fprintf(stderr, "Tessaravine: no notification area; running without an icon\n");
    } else if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        std::fprintf(stderr, "Tessaravine: no notification area yet; the icon appears in one\n");
    }
    return QApplication::exec();
}
