#ifdef TV_TEST_X11

#include "tests/app/x_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <memory>

namespace tv::test {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// The UTF-8 name a window has for the desktop ("" when it has none).
std::string WindowName(Display* display, Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    if (XGetWindowProperty(display, window, name, 0, 1024, False, utf8, &type, &format, &count,
                           &left, &data) != Success ||
        data == nullptr) {
        return "";
    }
    std::string text = type == utf8 && format == 8
                           ? std::string(reinterpret_cast<const char*>(data), count)
                           : std::string();
    XFree(data);
    return text;
}

bool IsShown(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

int CountBelow(Display* display, Window parent, const std::string& title) {
    Window root = None;
    Window above = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, parent, &root, &above, &children, &count) == 0) return 0;
    int found = 0;
    for (unsigned i = 0; i < count; ++i) {
        if (IsShown(display, children[i]) && WindowName(display, children[i]) == title) ++found;
        found += CountBelow(display, children[i], title);
    }
    if (children != nullptr) XFree(children);
    return found;
}

}  // namespace

int ShownWindowsTitled(const std::string& display, const std::string& title) {
    const std::unique_ptr<Display, DisplayCloser> connection(XOpenDisplay(display.c_str()));
    if (!connection) return -1;
    return CountBelow(connection.get(), DefaultRootWindow(connection.get()), title);
}

}  // namespace tv::test

#endif
