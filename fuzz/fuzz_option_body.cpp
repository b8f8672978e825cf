// Feeds arbitrary bytes to the option-body reader, as an option file (its header skipped when
// present) or as the schedule blocks of a store, one body after another. A refused body must
// leave the record and the offset exactly as they were; a body that was read must be written
// back whole, and that writing must read back to the very same record.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/option_body.h"
#include "settings/option_file.h"

namespace {

std::string BodyOf(const tv::SettingsRecord& record) {
    std::string body;
    if (!tv::WriteOptionBody(record, &body)) std::abort();  // what was read must be writable
    return body;
}

void ExpectStableRoundTrip(const tv::SettingsRecord& record) {
    const std::string written = BodyOf(record);
    tv::SettingsRecord again;
    size_t offset = 0;
    if (!tv::ReadOptionBody(written, &offset, again)) std::abort();
    if (offset != written.size() || BodyOf(again) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(size == 0 ? "" : reinterpret_cast<const char*>(data), size);
    size_t offset = bytes.substr(0, tv::kOptionFileHeaderBytes) == tv::kOptionFileHeader
                        ? tv::kOptionFileHeaderBytes
                        : 0;
    tv::SettingsRecord record;
    for (;;) {
        const size_t start = offset;
        const std::string before = BodyOf(record);
        if (!tv::ReadOptionBody(bytes, &offset, record)) {
            if (offset != start || BodyOf(record) != before) std::abort();
            return 0;
        }
        if (offset <= start) std::abort();
        ExpectStableRoundTrip(record);
    }
}
