#include "platform/linux/volume_label_udisks.h"

#include <gio/gio.h>

#include <cstdio>
#include <memory>

#include "platform/linux/glib_owners.h"

namespace tv {
namespace {

constexpr int kCallTimeoutMs = 60 * 1000;

bool IsAsciiLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string UdisksBlockObjectPath(const std::string& deviceName) {
    std::string path = "/org/freedesktop/UDisks2/block_devices/";
    for (const char c : deviceName) {
        if (IsAsciiLetterOrDigit(c)) {
            path += c;
            continue;
        }
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "_%02x", static_cast<unsigned char>(c));
        path += escaped;
    }
    return path;
}

bool SetLabelThroughUdisks(const std::string& deviceName, const std::string& label) {
    if (deviceName.empty() || !g_utf8_validate(label.c_str(), -1, nullptr) ||
        label.find('\0') != std::string::npos) {
        return false;
    }
    GError* rawError = nullptr;
    detail::GObjectPtr<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SYSTEM, nullptr, &rawError));
    detail::GErrorPtr error(rawError);
    if (!bus) return false;
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    detail::GVariantPtr reply(g_dbus_connection_call_sync(
        bus.get(), "org.freedesktop.UDisks2", UdisksBlockObjectPath(deviceName).c_str(),
        "org.freedesktop.UDisks2.Filesystem", "SetLabel",
        g_variant_new("(sa{sv})", label.c_str(), &options), nullptr,
        G_DBUS_CALL_FLAGS_ALLOW_INTERACTIVE_AUTHORIZATION, kCallTimeoutMs, nullptr, &rawError));
    error.reset(rawError);
    return reply != nullptr;
}

}  // namespace tv
