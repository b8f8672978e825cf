#include "ui/test_mode/shown_speed.h"

namespace tv {

std::optional<uint64_t> ShownSpeed(const QString& text) {
    if (!text.endsWith("MB")) return std::nullopt;
    bool number = false;
    const uint64_t megabytes = text.chopped(2).toULongLong(&number);
    if (!number || megabytes == 0) return std::nullopt;
    return megabytes;
}

}  // namespace tv
