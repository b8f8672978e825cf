// Feeds arbitrary bytes to the registry file reader. Whatever it accepts must be storable
// through the store's own writes, and must write out and read back to the very same values,
// or a save would change the user's settings.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry_store.h"
#include "platform/text_file.h"

namespace {

bool IsStorable(const tv::RegistrySections& sections) {
    for (const auto& [section, values] : sections) {
        if (!tv::IsValidRegistrySectionName(section)) return false;
        for (const auto& [name, value] : values) {
            if (!tv::IsValidUtf8(name)) return false;
            if (value.type == tv::RegistryValue::Type::String && !tv::IsValidUtf8(value.text)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tv::RegistrySections parsed;
    if (!tv::RegistryStore::Parse(text, &parsed)) return 0;
    if (!IsStorable(parsed)) std::abort();

    tv::RegistrySections reparsed;
    if (!tv::RegistryStore::Parse(tv::RegistryStore::Serialize(parsed), &reparsed)) std::abort();
    if (reparsed != parsed) std::abort();
    return 0;
}
