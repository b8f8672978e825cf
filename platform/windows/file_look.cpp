// The look of a copy (attributes and times), set through its open file. Windows keeps no owner
// to give and no permission bits: a new file takes the access list its folder passes on, and
// read-only is one of its attributes.
#include "platform/file_system.h"
#include "platform/win_constants.h"
#include "platform/windows/file_handle.h"

namespace tv {

// The identity of a file opened here holds its attributes as its mode: they are the real ones,
// whatever the name.
uint32_t File::Attributes(const FileIdentity& identity, const std::string& /*name*/) const {
    return identity.mode == 0 ? kAttrNormal : identity.mode;
}

bool File::SetOwner(uint32_t /*owner*/, uint32_t /*group*/) { return fd_ >= 0; }

bool File::MayGiveFilesAway() { return false; }

// The read-only attribute, the one permission a file has of its own here, is given with the
// other attributes by SetAttributes, last of all.
bool File::SetPermissions(uint32_t /*mode*/) { return fd_ >= 0; }

bool File::SetTimes(const FileTime& lastAccess, const FileTime& lastWrite) {
    const FILETIME access = detail::FiletimeOf(lastAccess);
    const FILETIME write = detail::FiletimeOf(lastWrite);
    return fd_ >= 0 && SetFileTime(detail::HandleOfDescriptor(fd_), nullptr, &access, &write);
}

bool File::SetAttributes(uint32_t attributes) {
    return fd_ >= 0 && detail::SetAttributesOf(detail::HandleOfDescriptor(fd_), attributes);
}

}  // namespace tv
