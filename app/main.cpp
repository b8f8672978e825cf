// The resident program: one process per user. Builds the Qt objects and the desktop's ports,
// hands them to the frame, which makes every decision, and runs the event loop.
#include <QApplication>
#include <QDialog>
#include <QSystemTrayIcon>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "app/desktop/dbus_notifier.h"
#include "app/desktop/logind_session.h"
#include "app/desktop/mountinfo_watch.h"
#include "app/desktop/mpg123_voice.h"
#include "app/instance_requests.h"
#include "app/qt_japanese.h"
#include "app/qt_settings_dialog.h"
#include "app/qt_timers.h"
#include "app/qt_tray.h"
#include "app/session_manager_link.h"
#include "app/termination_signals.h"
#include "controller/main_frame.h"
#include "controller/removable/card_kind.h"
#include "controller/removable/card_probe_library.h"
#include "controller/start_up/program_start.h"
#include "engine/worker/idle_library.h"
#include "platform/clock.h"
#include "platform/linux/gio_share_mounter.h"
#include "platform/open_file_limit.h"
#include "platform/paths.h"
#include "platform/secret_store.h"
#include "ui/message_box_prompts.h"
#include "ui/progress/qt_copy_runner.h"

namespace {

// Leaves the program from wherever the frame asks it to: a dialog open in a loop of its own (the
// settings at the first start, before the main loop runs, or a question on top of them) is
// ended first, since quitting reaches only the main loop. False until the frame has asked.
class ProgramEnd {
  public:
    void Request() {
        requested_ = true;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(window);
            if (dialog != nullptr && dialog->isVisible()) dialog->reject();
        }
        QCoreApplication::quit();
    }
    bool requested() const { return requested_; }

  private:
    bool requested_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    // A run holds its log, its copies and the folders it walks open at once; the desktop's
    // default soft limit is far below what the system lets the user have.
    tv::RaiseOpenFileLimit();
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tv::UseQtInJapanese(application);
    tv::MessageBoxPrompts prompts;

    const tv::Locations locations = tv::DefaultLocations();
    tv::SingleInstance instance;
    tv::InstanceListener listener;
    tv::RegistryStore registry(tv::DefaultRegistryLocation(locations.configDir));
    tv::DriveTable drives(locations.configDir);
    const tv::ProgramStart start =
        tv::StartProgram(locations, instance, listener, registry, drives);
    for (const tv::StartMessage& message : start.messages) tv::TellUser(message, prompts, stderr);
    if (!start.proceed) return start.handedOver ? EXIT_SUCCESS : EXIT_FAILURE;

    const tv::Clock& clock = tv::RealClock();
    tv::IdleLibrary idleLibrary(locations.installDir);
    tv::IdleGate* idle = idleLibrary.HasFunction() ? &idleLibrary : nullptr;
    tv::QtTray tray;
    tv::QtTimers timers;
    tv::QtCopyRunner copyRunner(clock, drives, locations, prompts, idle);
    tv::Mpg123Voice voice;
    tv::LogindSession session;
    tv::MountinfoWatch mediaWatch;
    tv::CardProbeLibrary media(tv::JoinPath(locations.installDir, tv::kCardProbeLibraryName));
    tv::DbusNotifier notifier;
    tv::GioShareMounter shares;
    const std::unique_ptr<tv::SecretStore> secretStore = tv::OpenDesktopSecretStore();
    tv::SecretStore* secrets = secretStore->Answers() ? secretStore.get() : nullptr;
    if (!secrets) {
        std::fputs(
            "tessaravine: no secret service answers; the share accounts stay in the "
            "settings files, encrypted as before\n",
            stderr);
    }
    const tv::SettingsContext settingsContext{drives, registry, locations, clock, secrets};
    tv::UnitPageServices unitPages{drives, shares, prompts, locations.documentsDir,
                                   [&media](char letter) { return StoredCardKind(media, letter); }};
    tv::QtSettingsDialog settingsDialog(settingsContext, prompts, copyRunner, unitPages);

    ProgramEnd programEnd;
    tv::MainFrame frame(tv::FrameServices{clock, drives, registry, locations, prompts, tray, timers,
                                          settingsDialog, copyRunner, voice, session, mediaWatch,
                                          media, notifier, shares, idle,
                                          [&programEnd] { programEnd.Request(); }, secrets});
    tray.SetEventHandler([&frame](tv::TrayEvent event) { frame.OnTrayEvent(event); });
    timers.SetTimeoutHandler([&frame](int id) { frame.OnTimer(id); });
    const tv::InstanceRequests secondStarts(listener, [&frame] { frame.OnSecondStart(); });
    const tv::TerminationSignals endRequests([&frame] { frame.OnSystemEnd(); });
    if (!endRequests.ok()) std::fputs("tessaravine: termination signals end it at once\n", stderr);
    const bool shutdownDelayed = session.DelayShutdown([&frame] { frame.OnShutdownAhead(); },
                                                       [&frame] { frame.OnShutdownCalledOff(); });
    tv::LinkSessionManager(application, frame, shutdownDelayed, stderr);
    frame.Start();
    if (programEnd.requested()) return EXIT_SUCCESS;
    const std::optional<tv::StartMessage> trayMessage =
        tv::TrayStartMessage(frame.iconAdded(), QSystemTrayIcon::isSystemTrayAvailable());
    if (trayMessage) tv::TellUser(*trayMessage, prompts, notifier, stderr);
    return QApplication::exec();
}
