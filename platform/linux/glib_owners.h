// Owners for the GLib and GIO objects the Linux backend holds, so every one is released on
// every path out of the function that made it.
#pragma once

#include <gio/gio.h>

#include <memory>

namespace tv::detail {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
struct GVariantUnref {
    void operator()(GVariant* variant) const { g_variant_unref(variant); }
};
struct GMainContextUnref {
    void operator()(GMainContext* context) const { g_main_context_unref(context); }
};
struct GMainLoopUnref {
    void operator()(GMainLoop* loop) const { g_main_loop_unref(loop); }
};

template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;
using GCharPtr = std::unique_ptr<gchar, GFree>;
using GVariantPtr = std::unique_ptr<GVariant, GVariantUnref>;

}  // namespace tv::detail
