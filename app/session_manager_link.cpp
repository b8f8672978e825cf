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

}  // namespace

void LinkSessionManager(QGuiApplication& application, MainFrame& frame, std::FILE* errors) {
    if (!HasSessionManager()) {
        std::fputs("tessaravine: no session manager; runs at session end are off\n", errors);
        return;
    }
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &application,
                     [&frame](QSessionManager& manager) { AnswerCommitRequest(frame, manager); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &application,
                     [&frame] { frame.OnEndSession(true); });
}

}  // namespace tv
