#include "app/termination_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace tv {

namespace {

constexpr int kCaughtSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handler only writes a byte into a pipe the event loop watches: nothing else it could do is
// safe in a signal handler. A full pipe already holds a wake-up, so a failed write loses nothing.
volatile sig_atomic_t gWriteEnd = -1;

extern "C" void WriteWakeUp(int) {
    const int savedErrno = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = write(gWriteEnd, &byte, 1);
    errno = savedErrno;
}

void SetHandler(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kCaughtSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
    int ends[2];
    if (gWriteEnd != -1 || pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readEnd_ = ends[0];
    gWriteEnd = ends[1];
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { TakeSignals(); });
    SetHandler(&WriteWakeUp);
}

TerminationSignals::~TerminationSignals() {
    if (!ok()) return;
    SetHandler(SIG_DFL);
    notifier_.reset();
    close(gWriteEnd);
    gWriteEnd = -1;
    close(readEnd_);
}

void TerminationSignals::TakeSignals() {
    char bytes[64];
    while (read(readEnd_, bytes, sizeof bytes) > 0) {
    }
    onSignal_();
}

}  // namespace tv
