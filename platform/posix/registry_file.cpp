// The registry's stand-in on Linux: one REGEDIT4 file, read whole and rewritten whole.
#include "platform/file_system.h"
#include "platform/locations.h"
#include "platform/paths.h"
#include "platform/registry_backing.h"

namespace tv {
namespace {

// Far beyond any real settings file; a larger file is not ours and is not read into memory.
constexpr uint64_t kMaxFileBytes = 16 * 1024 * 1024;

}  // namespace

std::string DefaultRegistryLocation(const std::string& configDir) {
    return JoinPath(configDir, kRegistryFileName);
}

bool RegistryLocationExists(const std::string& location) { return PathExists(location); }

bool MoveRegistryLocation(const std::string& location, const std::string& keptAs) {
    return MoveFileIfFree(location, keptAs);
}

namespace detail {

bool ReadRegistry(const std::string& location, RegistrySections* sections) {
    if (!PathExists(location)) {
        sections->clear();
        return true;
    }
    FileStatus status;
    if (!GetFileStatus(location, &status) || status.IsDirectory() || status.size > kMaxFileBytes) {
        return false;
    }
    std::string text;
    return ReadWholeFile(location, &text) && RegistryStore::Parse(text, sections);
}

// The file is written whole, whatever changed.
bool WriteRegistry(const std::string& location, const RegistrySections& sections,
                   const RegistryChanges& /*changes*/) {
    return EnsurePrivateFolder(ContainingFolder(location)) &&
           WriteFileAtomically(location, RegistryStore::Serialize(sections), FileAccess::OwnerOnly);
}

}  // namespace detail
}  // namespace tv
