// The configuration of a private D-Bus session bus for tests: a socket of the test's own, every
// name may be owned and every message sent. With activation, services that the machine
// installs for the session start on demand, as on a desktop.
#pragma once

#include <string>

namespace tv::test {

inline std::string SessionBusConfiguration(const std::string& socket, bool activation) {
    return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig>\n"
           "  <type>session</type>\n"
           "  <listen>unix:path=" +
           socket + "</listen>\n" +
           (activation ? "  <servicedir>/usr/share/dbus-1/services</servicedir>\n" : "") +
           "  <policy context=\"default\">\n"
           "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
           "    <allow eavesdrop=\"true\"/>\n"
           "    <allow own=\"*\"/>\n"
           "  </policy>\n"
           "</busconfig>\n";
}

}  // namespace tv::test
