// Folders per extension on Windows, where a program that reads a copy may keep it from being
// replaced: an older generation that cannot give way stops the rotation before the copy that
// was to take its place is overwritten.
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"

namespace tv::test {
namespace {

constexpr int64_t kDay = 86400;

TreeFile Text(const std::string& content, int64_t mtime = kNow) {
    return TreeFile{.content = content, .mtime = mtime};
}

using HeldGenerationWin32Test = EngineTest;

TEST_F(HeldGenerationWin32Test, AnOlderCopyThatOnlyLetsOthersReadKeepsEveryGeneration) {
    job.ExtFolder = 1;
    world.Write(destination, {{"JPGフォルダ", {{"p.jpg", Text("v2", kNow - kDay)}}},
                              {"1世代前JPGフォルダ", {{"p.jpg", Text("v1", kNow - 2 * kDay)}}}});
    world.Write(sourceRoot, {{"p.jpg", Text("v3")}});
    {
        // A viewer reads the oldest copy and lets others only read it meanwhile: it can be
        // copied one generation up, but nothing can take its place.
        File viewer;
        ASSERT_TRUE(viewer.OpenForRead(Copy("1世代前JPGフォルダ/p.jpg"), true, false));

        EXPECT_EQ(Run(), static_cast<int>(FileResult::OpenError));
    }

    EXPECT_EQ(world.Read(destination),
              (Tree{{"JPGフォルダ", {{"p.jpg", Text("v2", kNow - kDay)}}},
                    {"1世代前JPGフォルダ", {{"p.jpg", Text("v1", kNow - 2 * kDay)}}},
                    {"2世代前JPGフォルダ", {{"p.jpg", Text("v1", kNow - 2 * kDay)}}}}));
    EXPECT_EQ(outcome.HadError, 1);
}

}  // namespace
}  // namespace tv::test
