#include "platform/dynamic_library.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>

#include "tests/support/test_world.h"

namespace tv {
namespace {

using AnswerFunction = int (*)();

TEST(DynamicLibraryTest, LoadsByFullPathAndFindsItsExport) {
    DynamicLibrary library;
    ASSERT_TRUE(library.Load(TV_TEST_LOADABLE_PATH));
    EXPECT_TRUE(library.IsLoaded());
    auto answer = reinterpret_cast<AnswerFunction>(library.Symbol("TvLoadableAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(library.Symbol("NoSuchExport"), nullptr);

    DynamicLibrary moved = std::move(library);
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(library.Symbol("TvLoadableAnswer"), nullptr);
    EXPECT_NE(moved.Symbol("TvLoadableAnswer"), nullptr);
    moved.Unload();
    EXPECT_FALSE(moved.IsLoaded());
    EXPECT_EQ(moved.Symbol("TvLoadableAnswer"), nullptr);
}

TEST(DynamicLibraryTest, RefusesWhatIsNotALibraryAtAFullPath) {
    test::TestWorld world;
    const std::string notALibrary = world.base() + "/idletime.so";
    std::ofstream(notALibrary) << "not an ELF file";
    const std::string failing[] = {
        world.base() + "/missing.so",
        notALibrary,
        "",
        // A bare or relative name would let the loader search its own folders.
        "libc.so.6",
        "./idletime.so",
    };
    for (const std::string& path : failing) {
        DynamicLibrary library;
        EXPECT_FALSE(library.Load(path)) << path;
        EXPECT_FALSE(library.IsLoaded()) << path;
        EXPECT_EQ(library.Symbol("GetIdleTime"), nullptr) << path;
    }
}

TEST(DynamicLibraryTest, AFailedLoadReleasesTheLibraryHeldBefore) {
    DynamicLibrary library;
    ASSERT_TRUE(library.Load(TV_TEST_LOADABLE_PATH));
    EXPECT_FALSE(library.Load("/nonexistent/idletime.so"));
    EXPECT_FALSE(library.IsLoaded());
}

}  // namespace
}  // namespace tv
