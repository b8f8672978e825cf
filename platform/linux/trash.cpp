// Deletion "to the recycle bin" is the freedesktop.org trash through GIO: the home trash for
// entries on the home volume, the volume's own trash elsewhere. GIO only ever renames into a
// trash, so an entry that no trash can take stays where it is.
#include <gio/gio.h>

#include <memory>

#include "platform/file_system.h"

namespace tv {
namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

}  // namespace

bool MoveToTrash(const std::string& path) {
    if (path.empty()) return false;
    const std::unique_ptr<GFile, GObjectUnref> file(g_file_new_for_path(path.c_str()));
    GError* raw = nullptr;
    const bool trashed = g_file_trash(file.get(), nullptr, &raw);
    const std::unique_ptr<GError, GErrorFree> error(raw);
    return trashed;
}

}  // namespace tv
