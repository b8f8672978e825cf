#include "idletime/linux/bounded_bus.h"

namespace tv::idle {

namespace {

uint64_t NowUsec() {
    return uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

struct PendingReply {
    bool done = false;
    BusMessage reply;
};

int KeepReply(sd_bus_message* message, void* userdata, sd_bus_error*) {
    auto* pending = static_cast<PendingReply*>(userdata);
    pending->done = true;
    if (!sd_bus_message_is_method_error(message, nullptr)) {
        pending->reply.reset(sd_bus_message_ref(message));
    }
    return 0;
}

}  // namespace

// Opening does not wait for the bus: the connection is made and authenticated while the first
// call waits for its reply, within the same deadline.
BoundedBus::BoundedBus(Kind kind, std::chrono::milliseconds patience)
    : deadlineUsec_(
          NowUsec() +
          uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(patience).count())) {
    const int opened = kind == Kind::kSession ? sd_bus_open_user(&bus_) : sd_bus_open_system(&bus_);
    if (opened < 0) bus_ = nullptr;
}

// Closed without flushing: a flush would wait for a bus that may not be reading.
BoundedBus::~BoundedBus() {
    if (bus_ != nullptr) sd_bus_close_unref(bus_);
}

BusMessage BoundedBus::NewCall(const char* service, const char* path, const char* interface,
                               const char* method) {
    if (bus_ == nullptr) return nullptr;
    sd_bus_message* raw = nullptr;
    if (sd_bus_message_new_method_call(bus_, &raw, service, path, interface, method) < 0) {
        return nullptr;
    }
    BusMessage call(raw);
    // A service that is not running is not started to answer a question about idleness.
    if (sd_bus_message_set_auto_start(raw, 0) < 0) return nullptr;
    return call;
}

// sd-bus's own blocking calls first wait for the connection to be authenticated, with no regard
// for the call's timeout; here the reply is awaited with the deadline alone.
BusMessage BoundedBus::Exchange(sd_bus_message* call) {
    const uint64_t now = NowUsec();
    if (now >= deadlineUsec_) return nullptr;
    PendingReply pending;
    sd_bus_slot* slot = nullptr;
    if (sd_bus_call_async(bus_, &slot, call, KeepReply, &pending, deadlineUsec_ - now) < 0) {
        return nullptr;
    }
    while (!pending.done) {
        const uint64_t at = NowUsec();
        if (at >= deadlineUsec_) break;
        const int processed = sd_bus_process(bus_, nullptr);
        if (processed < 0) break;
        if (processed == 0 && sd_bus_wait(bus_, deadlineUsec_ - at) < 0) break;
    }
    // Without its slot a late reply finds no one waiting for it.
    sd_bus_slot_unref(slot);
    return std::move(pending.reply);
}

BusMessage BoundedBus::Call(const char* service, const char* path, const char* interface,
                            const char* method) {
    BusMessage call = NewCall(service, path, interface, method);
    return call ? Exchange(call.get()) : nullptr;
}

BusMessage BoundedBus::Property(const char* service, const char* path, const char* interface,
                                const char* name, const char* type) {
    BusMessage call = NewCall(service, path, "org.freedesktop.DBus.Properties", "Get");
    if (!call || sd_bus_message_append(call.get(), "ss", interface, name) < 0) return nullptr;
    BusMessage reply = Exchange(call.get());
    if (!reply || sd_bus_message_enter_container(reply.get(), 'v', type) <= 0) return nullptr;
    return reply;
}

}  // namespace tv::idle
