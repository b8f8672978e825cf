#ifdef TV_TEST_X11

#include "tests/app/fake_notification_area.h"

#include <X11/Xlib.h>

namespace tv::test {

namespace {

constexpr long kRequestDock = 0;  // the tray protocol's SYSTEM_TRAY_REQUEST_DOCK opcode

void SendManagerAnnouncement(Display* display, Atom selection, Window owner) {
    const Window root = DefaultRootWindow(display);
    XEvent announce{};
    announce.xclient.type = ClientMessage;
    announce.xclient.window = root;
    announce.xclient.message_type = XInternAtom(display, "MANAGER", False);
    announce.xclient.format = 32;
    announce.xclient.data.l[0] = CurrentTime;
    announce.xclient.data.l[1] = static_cast<long>(selection);
    announce.xclient.data.l[2] = static_cast<long>(owner);
    XSendEvent(display, root, False, StructureNotifyMask, &announce);
    XFlush(display);
}

}  // namespace

struct FakeNotificationArea::Connection {
    explicit Connection(const std::string& name) : display(XOpenDisplay(name.c_str())) {}
    ~Connection() {
        if (display) XCloseDisplay(display);
    }
    Display* display;
    Atom opcode = 0;
    bool dockRequested = false;
};

FakeNotificationArea::FakeNotificationArea(const std::string& display)
    : connection_(std::make_unique<Connection>(display)) {}

FakeNotificationArea::~FakeNotificationArea() = default;

bool FakeNotificationArea::Start() {
    Display* display = connection_->display;
    if (!display) return false;
    const Window owner =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom selection = XInternAtom(display, "_NET_SYSTEM_TRAY_S0", False);
    connection_->opcode = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);
    XSetSelectionOwner(display, selection, owner, CurrentTime);
    if (XGetSelectionOwner(display, selection) != owner) return false;
    SendManagerAnnouncement(display, selection, owner);
    return true;
}

bool FakeNotificationArea::HasDockRequest() {
    Display* display = connection_->display;
    while (!connection_->dockRequested && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        connection_->dockRequested = event.type == ClientMessage &&
                                     event.xclient.message_type == connection_->opcode &&
                                     event.xclient.data.l[1] == kRequestDock;
    }
    return connection_->dockRequested;
}

}  // namespace tv::test

#endif
