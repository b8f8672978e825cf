// A notification area on an X display, played by a test: it takes the tray selection of screen
// 0, announces itself on the root window as a starting panel does, and notes the icons' dock
// requests. It docks nothing.
#pragma once

#include <memory>
#include <string>

namespace tv::test {

class FakeNotificationArea {
  public:
    explicit FakeNotificationArea(const std::string& display);
    ~FakeNotificationArea();
    FakeNotificationArea(const FakeNotificationArea&) = delete;
    FakeNotificationArea& operator=(const FakeNotificationArea&) = delete;

    // False when the display cannot be reached or the selection is held by another.
    bool Start();
    // Reads what has arrived; true once an icon has asked to be docked.
    bool HasDockRequest();

  private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

}  // namespace tv::test
