#include "idletime/linux/source_choice.h"

#include <gtest/gtest.h>

namespace tv::idle {
namespace {

TEST(IdleSourceChoice, TheX11CounterIsAskedOnlyOnAnX11Session) {
    using S = IdleSource;
    struct Case {
        const char* name;
        SessionEnvironment session;
        std::vector<IdleSource> sources;
    };
    const Case cases[] = {
        {"X11 session", {":0", "", "x11"}, {S::kMutter, S::kX11ScreenSaver, S::kLogindHint}},
        {"display, no session type",
         {":0", "", ""},
         {S::kMutter, S::kX11ScreenSaver, S::kLogindHint}},
        {"XWayland beside a Wayland display",
         {":0", "wayland-0", ""},
         {S::kMutter, S::kLogindHint}},
        {"XWayland in a Wayland session", {":0", "", "wayland"}, {S::kMutter, S::kLogindHint}},
        {"Wayland display in a session called x11",
         {":0", "wayland-0", "x11"},
         {S::kMutter, S::kLogindHint}},
        {"no display", {"", "", "x11"}, {S::kMutter, S::kLogindHint}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SourcesToAsk(c.session), c.sources);
    }
}

}  // namespace
}  // namespace tv::idle
