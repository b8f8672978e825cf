// The way into the instance already running: it listens beside its single-instance lock, and a
// second start of the program asks it there to open its settings dialog, the one thing it can be
// asked. On a desktop without a notification area this is the user's only way into the program.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace tv {

constexpr const char* kInstanceChannelName = "_OstrelTessaravineNext_.socket";

// How long a second start waits for the running instance to answer.
constexpr int kInstanceAnswerTimeoutMs = 3000;

// Asks the instance listening in lockFolder to open its settings dialog; true once it has
// answered that it will. An instance that is about to listen there, or too busy to take the call
// at once, is waited for up to timeoutMs; where nobody listens at all the answer is false at once.
bool AskRunningInstanceToOpenSettings(const std::string& lockFolder,
                                      int timeoutMs = kInstanceAnswerTimeoutMs);

class InstanceListener {
  public:
    InstanceListener();
    // Stops serving and removes the channel.
    ~InstanceListener();
    InstanceListener(const InstanceListener&) = delete;
    InstanceListener& operator=(const InstanceListener&) = delete;

    // Listens in lockFolder, whose single-instance lock the caller holds, so what a killed
    // instance left there is replaced. Callers are kept waiting until Serve. Only the user's own
    // processes are heard. False when no channel could be made.
    bool Listen(const std::string& lockFolder);
    // Answers callers on a thread of its own: each that asks as it should is answered, then
    // openSettings is called on that thread. A caller that says something else, or nothing for
    // a while, is hung up on, and never keeps the others waiting.
    void Serve(std::function<void()> openSettings);
    // Serving ends; openSettings is not called any more once this returns.
    void Stop();

  private:
    struct Server;
    std::unique_ptr<Server> server_;
};

}  // namespace tv
