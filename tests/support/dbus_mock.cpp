#include "tests/support/dbus_mock.h"

#include <gio/gio.h>
#include <unistd.h>

#include <utility>

#include "platform/linux/glib_owners.h"
#include "platform/paths.h"
#include "tests/support/wait_until.h"

namespace tv::test {
namespace {

constexpr const char* kDbusDaemon = "/usr/bin/dbus-daemon";
// Debian's python3, which has python3-dbusmock; another python3 on PATH may lack it.
constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kMockInterface = "org.freedesktop.DBus.Mock";
constexpr auto kStartPatience = std::chrono::seconds(20);
constexpr int kCallTimeoutMs = 10 * 1000;

using detail::GErrorPtr;
using detail::GObjectPtr;
using detail::GVariantPtr;

// A connection of its own to the mock's bus, never one of GIO's shared ones, so the process's
// own idea of its session and system buses stays untouched.
GObjectPtr<GDBusConnection> Connect(const std::string& address) {
    return GObjectPtr<GDBusConnection>(g_dbus_connection_new_for_address_sync(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr));
}

GVariantPtr Call(GDBusConnection* bus, const std::string& service, const std::string& path,
                 const char* interface, const std::string& method, GVariant* parameters,
                 std::string* error) {
    GError* rawError = nullptr;
    GVariantPtr reply(g_dbus_connection_call_sync(
        bus, service.c_str(), path.c_str(), interface, method.c_str(), parameters, nullptr,
        G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, &rawError));
    const GErrorPtr owned(rawError);
    if (!reply && error != nullptr) *error = owned ? owned->message : "no reply";
    return reply;
}

std::string Printed(GVariant* value) {
    const detail::GCharPtr text(g_variant_print(value, FALSE));
    return text.get();
}

}  // namespace

DbusMock::DbusMock(std::string folder, std::vector<std::string> mockArguments, std::string service)
    : folder_(std::move(folder)),
      mockArguments_(std::move(mockArguments)),
      service_(std::move(service)) {}

DbusMock::~DbusMock() {
    mock_.Stop();
    bus_.Stop();
}

std::string DbusMock::BusAddress() const { return "unix:path=" + JoinPath(folder_, "bus"); }

bool DbusMock::Fail(const std::string& why) {
    error_ = "the stand-in for " + service_ + " cannot start: " + why;
    return false;
}

bool DbusMock::MockOwnsItsName() {
    const GObjectPtr<GDBusConnection> bus = Connect(BusAddress());
    if (!bus) return false;
    GVariantPtr reply =
        Call(bus.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
             "NameHasOwner", g_variant_new("(s)", service_.c_str()), nullptr);
    gboolean owned = FALSE;
    if (reply) g_variant_get(reply.get(), "(b)", &owned);
    return owned;
}

// The session bus configuration, listening in the test's folder; the services belong on the
// system bus, --session puts the mock on this one.
bool DbusMock::Start() {
    std::string why;
    if (!bus_.Start({kDbusDaemon, "--session", "--nofork", "--address=" + BusAddress()},
                    JoinPath(folder_, "bus.out"), &why)) {
        return Fail(why + " (package dbus)");
    }
    if (!WaitUntil(kStartPatience,
                   [this] { return access(JoinPath(folder_, "bus").c_str(), F_OK) == 0; })) {
        return Fail("dbus-daemon made no socket (see " + JoinPath(folder_, "bus.out") + ")");
    }
    const std::string log = JoinPath(folder_, "dbusmock.out");
    std::vector<std::string> argv = {"/usr/bin/env", "DBUS_SESSION_BUS_ADDRESS=" + BusAddress(),
                                     kPython,        "-m",
                                     "dbusmock",     "--session"};
    argv.insert(argv.end(), mockArguments_.begin(), mockArguments_.end());
    if (!mock_.Start(argv, log, &why)) return Fail(why);
    if (!WaitUntil(kStartPatience, [this] { return MockOwnsItsName(); })) {
        return Fail(std::string(kPython) + " -m dbusmock never owned " + service_ +
                    " (package python3-dbusmock; see " + log + ")");
    }
    return true;
}

void DbusMock::StopMock() {
    mock_.Stop();
    WaitUntil(kStartPatience, [this] { return !MockOwnsItsName(); });
}

bool DbusMock::Control(const std::string& path, const std::string& method,
                       const std::string& parameters) {
    const GObjectPtr<GDBusConnection> bus = Connect(BusAddress());
    if (!bus) {
        error_ = "no connection to the mock's bus";
        return false;
    }
    GError* rawError = nullptr;
    GVariant* values = g_variant_parse(nullptr, parameters.c_str(), nullptr, nullptr, &rawError);
    const GErrorPtr parseError(rawError);
    if (values == nullptr) {
        error_ = "bad parameters " + parameters + ": " + parseError->message;
        return false;
    }
    return Call(bus.get(), service_, path, kMockInterface, method, values, &error_) != nullptr;
}

// GetCalls answers a(tsav): the time, the method and the arguments of each call.
std::vector<std::string> DbusMock::CallsOn(const std::string& path) {
    std::vector<std::string> calls;
    const GObjectPtr<GDBusConnection> bus = Connect(BusAddress());
    if (!bus) return calls;
    const GVariantPtr reply =
        Call(bus.get(), service_, path, kMockInterface, "GetCalls", nullptr, nullptr);
    if (!reply) return calls;
    GVariantIter* list = nullptr;
    g_variant_get(reply.get(), "(a(tsav))", &list);
    guint64 time = 0;
    const gchar* method = nullptr;
    GVariant* arguments = nullptr;
    while (g_variant_iter_loop(list, "(t&s@av)", &time, &method, &arguments)) {
        calls.push_back(std::string(method) + " " + Printed(arguments));
    }
    g_variant_iter_free(list);
    return calls;
}

}  // namespace tv::test
