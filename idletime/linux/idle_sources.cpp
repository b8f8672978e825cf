#include "idletime/linux/idle_sources.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <systemd/sd-bus.h>

#include <chrono>

#include "idletime/linux/bounded_bus.h"

namespace tv::idle {

namespace {

// Long enough for a bus on the same machine, short enough that a worker asking between two
// buffers hardly notices a bus that does not answer.
constexpr auto kBusPatience = std::chrono::milliseconds(200);

// An idle query must never take the resident program down: a protocol error is ignored, and a
// connection that breaks during the query ends only the query, not the process (Xlib's default
// is to exit). The connection lives for one query, so nothing broken is kept.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }
void KeepRunningOnBrokenConnection(Display*, void*) {}

}  // namespace

std::optional<uint64_t> MutterInactiveMs() {
    BoundedBus bus(BoundedBus::Kind::kSession, kBusPatience);
    const BusMessage reply =
        bus.Call("org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
                 "org.gnome.Mutter.IdleMonitor", "GetIdletime");
    uint64_t inactiveMs = 0;
    if (!reply || sd_bus_message_read(reply.get(), "t", &inactiveMs) <= 0) return std::nullopt;
    return inactiveMs;
}

std::optional<uint64_t> X11InactiveMs(const std::string& name) {
    if (name.empty()) return std::nullopt;
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr) return std::nullopt;
    XSetErrorHandler(IgnoreXError);
    XSetIOErrorExitHandler(display, KeepRunningOnBrokenConnection, nullptr);
    std::optional<uint64_t> result;
    int eventBase = 0;
    int errorBase = 0;
    if (XScreenSaverQueryExtension(display, &eventBase, &errorBase)) {
        XScreenSaverInfo* info = XScreenSaverAllocInfo();
        if (info != nullptr) {
            if (XScreenSaverQueryInfo(display, DefaultRootWindow(display), info)) {
                result = info->idle;
            }
            XFree(info);
        }
    }
    XCloseDisplay(display);
    return result;
}

// "auto" is logind's name for the caller's own session or, for a process outside any session
// (one started by the user's service manager), the user's graphical session.
// A graphical session's hint is whatever its desktop last set; many desktops never set it, and
// then it says "busy" for ever, which would hold every run back. A hint that was never set has
// no time of change, and counts as no measure at all.
std::optional<bool> LogindIdleHint() {
    constexpr const char* kService = "org.freedesktop.login1";
    constexpr const char* kCallersSession = "/org/freedesktop/login1/session/auto";
    constexpr const char* kInterface = "org.freedesktop.login1.Session";
    BoundedBus bus(BoundedBus::Kind::kSystem, kBusPatience);
    const BusMessage hint = bus.Property(kService, kCallersSession, kInterface, "IdleHint", "b");
    int idle = 0;
    if (!hint || sd_bus_message_read(hint.get(), "b", &idle) <= 0) return std::nullopt;
    if (idle != 0) return true;
    const BusMessage since =
        bus.Property(kService, kCallersSession, kInterface, "IdleSinceHintMonotonic", "t");
    uint64_t changedAt = 0;
    if (!since || sd_bus_message_read(since.get(), "t", &changedAt) <= 0) return std::nullopt;
    if (changedAt == 0) return std::nullopt;
    return false;
}

}  // namespace tv::idle
