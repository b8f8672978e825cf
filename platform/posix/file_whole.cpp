#include <sys/stat.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/file_system_replacement.h"
#include "platform/network_paths.h"
#include "platform/posix/file_system_internal.h"

namespace tv {
namespace {

constexpr mode_t kEveryoneMode = 0666;
constexpr mode_t kOwnerOnlyMode = S_IRUSR | S_IWUSR;

// The permission bits the finished file must be given after its creation, when the mask alone
// does not decide them.
bool FixedPermissions(const std::string& path, FileAccess access, mode_t* mode) {
    if (access == FileAccess::OwnerOnly) {
        *mode = kOwnerOnlyMode;
        return true;
    }
    struct stat st {};
    if (access != FileAccess::AsBefore || stat(path.c_str(), &st) != 0) return false;
    *mode = st.st_mode & 07777;
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& target, const std::string& bytes, FileAccess access) {
    const std::string path = ToLocalPath(target);
    if (detail::HasReadOnlyAttribute(path, false)) {
        errno = EACCES;
        return false;
    }
    mode_t fixed = 0;
    const bool fixes = FixedPermissions(path, access, &fixed);
    // A file whose permissions are set afterwards is made private first, so its data is never
    // open to more than the finished file.
    detail::ReplacementFile out(path);
    return out.Create(fixes ? kOwnerOnlyMode : kEveryoneMode) &&
           out.file().Write(bytes.data(), bytes.size()) && out.Finish() &&
           (!fixes || detail::SetModeWherePossible(out.temporaryPath(), fixed)) && out.Commit();
}

}  // namespace tv
