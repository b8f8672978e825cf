#include "platform/linux/private_main_loop.h"

namespace tv::detail {
namespace {

// How long a cancelled call may still take to end before the loop gives up on it.
constexpr guint kCancelGraceMs = 5000;

}  // namespace

PrivateMainLoop::PrivateMainLoop(std::chrono::milliseconds timeout)
    : timeout_(timeout),
      context_(g_main_context_new()),
      loop_(g_main_loop_new(context_.get(), FALSE)),
      cancellable_(g_cancellable_new()) {
    g_main_context_push_thread_default(context_.get());
}

PrivateMainLoop::~PrivateMainLoop() { g_main_context_pop_thread_default(context_.get()); }

bool PrivateMainLoop::Run() {
    const guint timeoutMs = static_cast<guint>(timeout_.count());
    GSource* cancelTimer = AttachTimer(timeoutMs, &PrivateMainLoop::OnTimeUp);
    GSource* giveUpTimer = AttachTimer(timeoutMs + kCancelGraceMs, &PrivateMainLoop::OnGiveUp);
    if (!finished_) g_main_loop_run(loop_.get());
    DestroyTimer(cancelTimer);
    DestroyTimer(giveUpTimer);
    return !g_cancellable_is_cancelled(cancellable_.get());
}

void PrivateMainLoop::Finished() {
    finished_ = true;
    g_main_loop_quit(loop_.get());
}

GSource* PrivateMainLoop::AttachTimer(guint milliseconds, GSourceFunc callback) {
    GSource* timer = g_timeout_source_new(milliseconds);
    g_source_set_callback(timer, callback, this, nullptr);
    g_source_attach(timer, context_.get());
    return timer;
}

void PrivateMainLoop::DestroyTimer(GSource* timer) {
    g_source_destroy(timer);
    g_source_unref(timer);
}

gboolean PrivateMainLoop::OnTimeUp(gpointer data) {
    g_cancellable_cancel(static_cast<PrivateMainLoop*>(data)->cancellable());
    return G_SOURCE_REMOVE;
}

gboolean PrivateMainLoop::OnGiveUp(gpointer data) {
    g_main_loop_quit(static_cast<PrivateMainLoop*>(data)->loop_.get());
    return G_SOURCE_REMOVE;
}

}  // namespace tv::detail
