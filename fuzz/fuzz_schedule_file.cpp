// Feeds arbitrary bytes to the "sch.dat" reader. It must never hold more entries than the file
// states, every entry it keeps must be writable again (a save after a load must not fail), and
// what it writes must read back to the very same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/drive_table.h"
#include "platform/locations.h"
#include "platform/registry_store.h"
#include "schedule/schedule_file.h"
#include "settings/option_body_bytes.h"

namespace {

// No drives, no files: the defaults of a new entry come from nothing on this machine.
struct EmptyMachine {
    EmptyMachine() : drives("/nonexistent/tessaravine-fuzz"), registry("/nonexistent/reg") {
        drives.SetPinnedOnly(true);
        locations.documentsDir = "/nonexistent/documents";
    }
    tv::DriveTable drives;
    tv::RegistryStore registry;
    tv::Locations locations;
    tv::SettingsContext context{drives, registry, locations, tv::RealClock()};
};

const tv::SettingsContext& Context() {
    static EmptyMachine machine;
    return machine.context;
}

int32_t StatedCount(std::string_view bytes) {
    int32_t count = 0;
    tv::ByteCursor(bytes, 0).ReadInt32(&count);
    return count;
}

std::string BytesOf(const std::vector<tv::ScheduleEntry>& entries) {
    std::string bytes;
    if (!tv::WriteScheduleFile(entries, &bytes)) std::abort();
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(size == 0 ? "" : reinterpret_cast<const char*>(data), size);
    std::vector<tv::ScheduleEntry> entries;
    if (!tv::ReadScheduleFile(bytes, Context(), &entries)) {
        if (size >= tv::kBodyIntBytes || !entries.empty()) std::abort();
        return 0;
    }
    const int32_t count = StatedCount(bytes);
    if (entries.size() > static_cast<size_t>(count < 0 ? 0 : count)) std::abort();

    const std::string written = BytesOf(entries);
    std::vector<tv::ScheduleEntry> again;
    if (!tv::ReadScheduleFile(written, Context(), &again)) std::abort();
    if (again.size() != entries.size() || BytesOf(again) != written) std::abort();
    return 0;
}
