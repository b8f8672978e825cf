#include "engine/worker/idle_library.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "tests/engine/worker_fixture.h"

namespace tv::test {
namespace {

bool IsLoaded(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
}

class IdleLibraryTest : public ::testing::Test {
  protected:
    TestWorld world;
};

TEST_F(IdleLibraryTest, AsksTheLibraryOfTheProgramDirectoryEveryTime) {
    IdleStub stub(world.programDir());
    IdleLibrary library(world.programDir());
    ASSERT_TRUE(library.HasFunction());

    stub.Answer(0);
    EXPECT_FALSE(library.IsIdle());
    stub.Answer(7);  // any non-zero answer means idle
    EXPECT_TRUE(library.IsIdle());
    EXPECT_EQ(stub.calls(), 2);
}

TEST_F(IdleLibraryTest, IsFreedWhenItsOwnerGoes) {
    { IdleStub stub(world.programDir()); }
    const std::string path = IdleLibraryPath(world.programDir());
    {
        IdleLibrary library(world.programDir());
        EXPECT_TRUE(IsLoaded(path));
    }
    EXPECT_FALSE(IsLoaded(path));
}

TEST_F(IdleLibraryTest, AMissingOrUnusableLibraryHasNoFunctionAndAnswersIdle) {
    const std::string path = IdleLibraryPath(world.programDir());
    {
        IdleLibrary missing(world.programDir());
        EXPECT_FALSE(missing.HasFunction());
        EXPECT_TRUE(missing.IsIdle());
    }
    { IdleStub withoutEntry(world.programDir(), TV_IDLE_STUB_WITHOUT_ENTRY_PATH); }
    {
        IdleLibrary withoutEntry(world.programDir());
        EXPECT_FALSE(withoutEntry.HasFunction());
        EXPECT_TRUE(withoutEntry.IsIdle());
        EXPECT_FALSE(IsLoaded(path)) << "a library without the entry is kept loaded";
    }
    ASSERT_TRUE(WriteFileAtomically(path, std::string("\x7f"
                                                      "ELF but not really",
                                                      20)));
    IdleLibrary damaged(world.programDir());
    EXPECT_FALSE(damaged.HasFunction());
}

}  // namespace
}  // namespace tv::test
