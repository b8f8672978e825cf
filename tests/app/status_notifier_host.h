// A stand-in for a notification area that draws its items and their menus itself, on a bus of
// the test's own: a watcher (python-dbusmock) that says a host is there and lists the items
// that register, and the calls such a host makes on an item and on its menu, through Qt's D-Bus
// (a Qt application must exist). Each call waits only a few seconds, so an item that answers
// only once a window of its own has closed fails.
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/dbus_mock.h"

namespace tv::test {

// An entry of an item's menu as the host would draw it.
struct HostMenuEntry {
    int id = 0;
    std::string label;
    bool enabled = true;
};

class StatusNotifierHost {
  public:
    explicit StatusNotifierHost(std::string folder);
    ~StatusNotifierHost();
    StatusNotifierHost(const StatusNotifierHost&) = delete;
    StatusNotifierHost& operator=(const StatusNotifierHost&) = delete;

    // Starts the bus and the watcher; false, with error(), when not.
    bool Start() { return watcher_.Start(); }
    const std::string& error() const { return error_.empty() ? watcher_.error() : error_; }
    std::string BusAddress() const { return watcher_.BusAddress(); }

    // The bus names of the items registered so far, in order.
    std::vector<std::string> RegisteredItems();
    // The object path of the item's menu; empty when it cannot be read.
    std::string MenuPath(const std::string& item);
    // The menu's layout as a host reads it when the item appears: the entries of the top level
    // in order; nothing when the call fails.
    std::optional<std::vector<HostMenuEntry>> ReadMenu(const std::string& item,
                                                       const std::string& menu);
    // What a host does to draw the menu: AboutToShow on the menu's root, then its layout.
    std::optional<std::vector<HostMenuEntry>> OpenMenu(const std::string& item,
                                                       const std::string& menu);
    // The user chooses the entry id of the menu.
    bool Click(const std::string& item, const std::string& menu, int id);
    // The user clicks the icon.
    bool Activate(const std::string& item);

  private:
    // The reply's arguments; nothing, with error(), when the call fails.
    std::optional<QVariantList> Call(const std::string& service, const std::string& path,
                                     const QString& interface, const QString& method,
                                     const QVariantList& arguments);
    std::optional<QVariant> Property(const std::string& service, const std::string& path,
                                     const QString& interface, const QString& name);

    DbusMock watcher_;
    std::string error_;
};

}  // namespace tv::test
