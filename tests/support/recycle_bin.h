// The shell's recycle bin on Windows, which takes what a run deletes "to the trash". It is the
// user's own (under Wine the session's trash), not the test world's, and holds what other tests
// binned too: a test counts the entries that went in.
#pragma once

#ifdef _WIN32
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/windows/win32.h"

namespace tv::test {

// The number of entries in the recycle bins of every drive.
inline int64_t ItemsInRecycleBin() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    EXPECT_EQ(SHQueryRecycleBinW(nullptr, &info), S_OK);
    return info.i64NumItems;
}

}  // namespace tv::test
#endif
