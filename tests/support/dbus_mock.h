// A stand-in for a system D-Bus service that these machines do not run (logind, udisks2):
// a bus of its own in a folder of the test, and python-dbusmock on it, either with one of its
// templates or as a bare object that the test fills with AddObject and AddMethod. The mock
// records every method called. Nothing reaches the machine's real services.
#pragma once

#include <string>
#include <vector>

#include "tests/support/spawned_process.h"

namespace tv::test {

class DbusMock {
  public:
    // mockArguments follow "python3 -m dbusmock --session": "--template logind", or the bus
    // name, main object path and interface of a bare mock. service: the bus name it takes.
    DbusMock(std::string folder, std::vector<std::string> mockArguments, std::string service);
    ~DbusMock();
    DbusMock(const DbusMock&) = delete;
    DbusMock& operator=(const DbusMock&) = delete;

    // Starts the bus and the mock and waits until the mock owns its name; false, with error(),
    // when not.
    bool Start();
    const std::string& error() const { return error_; }
    std::string BusAddress() const;
    const std::string& service() const { return service_; }

    // Only the mock goes; the bus stays. Returns once the bus has seen it go, so that a call
    // made next finds no owner of the name rather than racing the mock's disconnection.
    void StopMock();

    // Calls a method of the mock's control interface (org.freedesktop.DBus.Mock) on the object
    // at path with the parameters written in GVariant text ("('s', 'x')"); false, with error(),
    // when it fails.
    bool Control(const std::string& path, const std::string& method, const std::string& parameters);
    // Every call the object at path has had, in order: the method name and its arguments in
    // GVariant text ("SetLabel ['MEDIA', {}]"). Empty when none or when they cannot be read.
    std::vector<std::string> CallsOn(const std::string& path);

  private:
    bool Fail(const std::string& why);
    bool MockOwnsItsName();

    std::string folder_;
    std::vector<std::string> mockArguments_;
    std::string service_;
    SpawnedProcess bus_;
    SpawnedProcess mock_;
    std::string error_;
};

}  // namespace tv::test
