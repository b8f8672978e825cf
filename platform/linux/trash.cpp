// Deletion "to the recycle bin" is the freedesktop.org trash through GIO: the home trash for
// entries on the home volume, the volume's own trash elsewhere. GIO only ever renames into a
// trash, so an entry that no trash can take stays where it is.
#include <gio/gio.h>

#include "platform/file_system.h"
#include "platform/linux/glib_owners.h"
#include "platform/linux/network_paths.h"

namespace tv {

bool MoveToTrash(const std::string& path) {
    const std::string local = ToLocalPath(path);
    if (local.empty()) return false;
    const detail::GObjectPtr<GFile> file(g_file_new_for_path(local.c_str()));
    GError* raw = nullptr;
    const bool trashed = g_file_trash(file.get(), nullptr, &raw);
    const detail::GErrorPtr error(raw);
    return trashed;
}

}  // namespace tv
