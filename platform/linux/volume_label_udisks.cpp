#include "platform/linux/volume_label_udisks.h"

#include <gio/gio.h>

#include <cstdio>
#include <memory>

namespace tv {
namespace {

constexpr int kCallTimeoutMs = 60 * 1000;

struct ObjectReleaser {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct VariantReleaser {
    void operator()(GVariant* variant) const { g_variant_unref(variant); }
};
struct ErrorReleaser {
    void operator()(GError* error) const { g_error_free(error); }
};

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
    std::unique_ptr<GDBusConnection, ObjectReleaser> bus(
        g_bus_get_sync(G_BUS_TYPE_SYSTEM, nullptr, &rawError));
    std::unique_ptr<GError, ErrorReleaser> error(rawError);
    if (!bus) return false;
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    std::unique_ptr<GVariant, VariantReleaser> reply(g_dbus_connection_call_sync(
        bus.get(), "org.freedesktop.UDisks2", UdisksBlockObjectPath(deviceName).c_str(),
        "org.freedesktop.UDisks2.Filesystem", "SetLabel",
        g_variant_new("(sa{sv})", label.c_str(), &options), nullptr,
        G_DBUS_CALL_FLAGS_ALLOW_INTERACTIVE_AUTHORIZATION, kCallTimeoutMs, nullptr, &rawError));
    error.reset(rawError);
    return reply != nullptr;
}

}  // namespace tv
