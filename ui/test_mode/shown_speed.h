// The speed an edit of the test mode shows, read back for the transfer-time estimate.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace tv {

// The megabytes of a "%dMB" text; nothing while measuring, when unmeasurable, at 0 or for any
// other text.
std::optional<uint64_t> ShownSpeed(const QString& text);

}  // namespace tv
