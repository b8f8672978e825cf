// Where a source file goes: below the destination, whatever ".." its path holds.
#include "engine/copy/destination_layout.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tv::test {
namespace {

using DestinationLayoutTest = EngineTest;

TEST_F(DestinationLayoutTest, APathNeverLeadsAboveTheDestination) {
    struct Case {
        int32_t kind;
        std::string source;       // below E:
        std::string destination;  // below the job's destination
    };
    const Case cases[] = {
        {Removable, "DCIM/IMG_0001.JPG", "/DCIM/IMG_0001.JPG"},
        {Removable, "", ""},
        {Removable, "a..b/c..", "/a..b/c.."},
        {Removable, "DCIM/../IMG_0001.JPG", "/DCIM/../IMG_0001.JPG"},
        {Removable, "../../../etc/passwd", "/passwd"},
        {Removable, "DCIM/../../.bashrc", "/.bashrc"},
        {Removable, "DCIM/../..", ""},
        {FileDir, "data/x.txt", "/x.txt"},
        {FileDir, "data/../../../x.txt", "/x.txt"},
    };
    for (const Case& c : cases) {
        job.Kind = c.kind;
        if (c.kind == FileDir) job.Source = Path("data");
        EXPECT_EQ(PlainDestination(job, world.drives(), sourceRoot + c.source),
                  WithoutTrailingSeparators(destination + c.destination))
            << c.source;
    }
}

}  // namespace
}  // namespace tv::test
