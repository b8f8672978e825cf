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
        SetZone(CRuntimeZone(zone).c_str());
    }
    ~ScopedTimeZone() { SetZone(saved_ ? saved_->c_str() : nullptr); }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
#ifdef _WIN32
    // The Windows C runtime knows no zone names, only a name with its offset from UTC.
    static std::string CRuntimeZone(const std::string& zone) {
        if (zone == "Asia/Tokyo") return "JST-9";
        if (zone == "UTC") return "UTC0";
        return zone;
    }
    static void SetZone(const char* zone) {
        _putenv_s("TZ", zone ? zone : "");
        _tzset();
    }
#else
    static std::string CRuntimeZone(const std::string& zone) { return zone; }
    static void SetZone(const char* zone) {
        if (zone) {
            setenv("TZ", zone, 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
#endif

    std::optional<std::string> saved_;
};

}  // namespace tv::test
