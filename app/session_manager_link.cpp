#include "app/session_manager_link.h"

#include <QSessionManager>
#include <cstdlib>

namespace tv {

namespace {

bool HasSessionManager() {
    const char* address = std::getenv("SESSION_MANAGER");
    return address && *address;
}

// The session manager's protocol does not tell a shutdown from a log-off; either way this
// session ends, so the request counts as a log-off. Refusing needs the right to interact, which
// is asked for first, so the frame's questions fall inside it too; when it is not granted the
// session ends whatever the frame answers.
void AnswerCommitRequest(MainFrame& frame, QSessionManager& manager) {
    const bool mayInteract = manager.allowsInteraction();
    if (!frame.OnQueryEndSession(true) && mayInteract) manager.cancel();
}

// The session manager asks before every end the desktop starts; logind announces every
// shutdown, but no log-off.
const char* MissedSessionEnds(bool sessionManager, bool shutdownDelayed) {
    if (sessionManager) {
        return shutdownDelayed
                   ? nullptr
                   : "tessaravine: no logind; runs at session end only when the session manager "
                     "asks\n";
    }
    return shutdownDelayed
               ? "tessaravine: no session manager; runs at log-off are off\n"
               : "tessaravine: no session manager and no logind; runs at session end are off\n";
}

}  // namespace

void LinkSessionManager(QGuiApplication& application, MainFrame& frame, bool shutdownDelayed,
                        std::FILE* errors) {
    const bool sessionManager = HasSessionManager();
    if (const char* missed = MissedSessionEnds(sessionManager, shutdownDelayed)) {
        std::fputs(missed, errors);
    }
    if (!sessionManager) return;
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &application,
                     [&frame](QSessionManager& manager) { AnswerCommitRequest(frame, manager); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &application,
                     [&frame] { frame.OnEndSession(true); });
}

}  // namespace tv
