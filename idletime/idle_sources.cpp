#include "idletime/idle_sources.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <systemd/sd-bus.h>

#include <cstdlib>

namespace tv::idle {

namespace {

// An idle query must never take the resident program down: a protocol error is ignored, and a
// connection that breaks during the query ends only the query, not the process (Xlib's default
// is to exit). The connection lives for one query, so nothing broken is kept.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }
void KeepRunningOnBrokenConnection(Display*, void*) {}

}  // namespace

std::optional<uint64_t> X11InactiveMs() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') return std::nullopt;
    Display* display = XOpenDisplay(name);
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

std::optional<bool> LogindIdleHint() {
    sd_bus* bus = nullptr;
    if (sd_bus_open_system(&bus) < 0) return std::nullopt;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int idle = 0;
    const int r = sd_bus_get_property_trivial(
        bus, "org.freedesktop.login1", "/org/freedesktop/login1/session/auto",
        "org.freedesktop.login1.Session", "IdleHint", &error, 'b', &idle);
    sd_bus_error_free(&error);
    sd_bus_unref(bus);
    if (r < 0) return std::nullopt;
    return idle != 0;
}

}  // namespace tv::idle
