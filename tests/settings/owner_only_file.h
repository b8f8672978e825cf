// Whether a file that holds credentials is kept from other users.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

namespace tv::test {

// Linux: the mode is 0600. A Windows file has no mode bits: it takes the access list of its
// folder, which in the user's profile is the user's own, so there is nothing of the file's to
// check.
inline void ExpectOwnerOnlyFile(const std::string& path) {
#ifdef _WIN32
    (void)path;
#else
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0) << path;
    EXPECT_EQ(status.st_mode & 0777, 0600u) << path;
#endif
}

}  // namespace tv::test
