// The update preview of the file/directory unit scans what the run would copy, and nothing the
// run leaves out.
#include "controller/test_mode/preview_plan.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

TEST(PreviewPlan, AListItemWhoseNameLeadsOutOfTheDestinationIsNotScanned) {
    TestWorld world;
    const std::string documents = world.MakeFolder("documents");
    const std::string inner = world.MakeFolder("documents/inner");
    SettingsRecord settings;
    settings.Directry2 = world.MakeFolder("mirror");
    settings.FileList = {JoinPath(inner, ".."), JoinPath(inner, "."), "/", documents};

    const PreviewPlan plan = PlanPreview(SettingsUnit::FileDir, 0, settings, world.drives());

    ASSERT_EQ(plan.sources.size(), 1u);
    EXPECT_EQ(plan.sources[0].source, documents);
    EXPECT_EQ(plan.sources[0].destination, JoinPath(settings.Directry2, "documents"));
}

}  // namespace
}  // namespace tv::test
