// The signals that ask the program to end (SIGTERM at shutdown or log-off, SIGINT from a
// terminal, SIGHUP when the terminal goes) as a call on the event loop's thread, where the frame
// can stop its run and exit as it always does.
#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace tv {

// One object in the process. Until it exists, and after it has gone, the signals end the
// process as by default.
class TerminationSignals {
  public:
    // onSignal is called from the event loop for every signal that arrived; false from ok() when
    // they could not be caught.
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool ok() const { return notifier_ != nullptr; }

  private:
    void TakeSignals();

    std::function<void()> onSignal_;
    int readEnd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tv
