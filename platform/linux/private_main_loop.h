// One asynchronous GIO call made to look synchronous: a main context of its own, made the
// calling thread's default while the loop lives, so that the call's replies and questions come
// here whatever thread calls and whatever event loop the program runs; run until the call ends
// or its time is up.
#pragma once

#include <gio/gio.h>

#include <chrono>

#include "platform/linux/glib_owners.h"

namespace tv::detail {

class PrivateMainLoop {
  public:
    explicit PrivateMainLoop(std::chrono::milliseconds timeout);
    ~PrivateMainLoop();
    PrivateMainLoop(const PrivateMainLoop&) = delete;
    PrivateMainLoop& operator=(const PrivateMainLoop&) = delete;

    // Cancels the call when its time is up.
    GCancellable* cancellable() const { return cancellable_.get(); }
    // Runs until Finished(). When the time is up first, the call is cancelled and given a
    // short while more to end. False when the time ran out.
    bool Run();
    void Finished();

  private:
    GSource* AttachTimer(guint milliseconds, GSourceFunc callback);
    static void DestroyTimer(GSource* timer);
    static gboolean OnTimeUp(gpointer self);
    static gboolean OnGiveUp(gpointer self);

    std::chrono::milliseconds timeout_;
    std::unique_ptr<GMainContext, GMainContextUnref> context_;
    std::unique_ptr<GMainLoop, GMainLoopUnref> loop_;
    GObjectPtr<GCancellable> cancellable_;
    bool finished_ = false;
};

// The end of one asynchronous call: the error it ended with, null when it succeeded.
struct CallEnd {
    PrivateMainLoop* loop = nullptr;
    GErrorPtr error;
};

// The callback of an asynchronous call whose finishing function is Finish; data is a CallEnd.
template <typename Object, gboolean (*Finish)(Object*, GAsyncResult*, GError**)>
void OnCallEnded(GObject* source, GAsyncResult* result, gpointer data) {
    auto* end = static_cast<CallEnd*>(data);
    GError* error = nullptr;
    Finish(reinterpret_cast<Object*>(source), result, &error);
    end->error.reset(error);
    end->loop->Finished();
}

}  // namespace tv::detail
