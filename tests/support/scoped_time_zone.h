// The process's time zone set for the length of a scope, and the one before restored after.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace tv::test {

class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* before = std::getenv("TZ")) saved_ = before;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (saved_) {
            setenv("TZ", saved_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> saved_;
};

}  // namespace tv::test
