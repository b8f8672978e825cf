// A connection of its own to the session or system bus, open for one measurement. Every call on
// it shares one deadline, set when it opens: a bus or a service that does not answer in time
// makes the call fail rather than hold the thread that asks (a copy worker between two buffers).
#pragma once

#include <systemd/sd-bus.h>

#include <chrono>
#include <cstdint>
#include <memory>

namespace tv::idle {

struct MessageRelease {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
using BusMessage = std::unique_ptr<sd_bus_message, MessageRelease>;

class BoundedBus {
  public:
    enum class Kind { kSession, kSystem };

    BoundedBus(Kind kind, std::chrono::milliseconds patience);
    ~BoundedBus();
    BoundedBus(const BoundedBus&) = delete;
    BoundedBus& operator=(const BoundedBus&) = delete;

    // The reply of a method without arguments, ready to be read; null on an error reply, a
    // broken connection or an answer after the deadline.
    BusMessage Call(const char* service, const char* path, const char* interface,
                    const char* method);
    // A property's value of the given D-Bus type, ready to be read; null as for Call, and when
    // the value has another type.
    BusMessage Property(const char* service, const char* path, const char* interface,
                        const char* name, const char* type);

  private:
    BusMessage NewCall(const char* service, const char* path, const char* interface,
                       const char* method);
    BusMessage Exchange(sd_bus_message* call);

    sd_bus* bus_ = nullptr;
    const uint64_t deadlineUsec_;
};

}  // namespace tv::idle
