#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "tests/engine/engine_fixture.h"
#include "tests/support/scoped_mount.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content) { return TreeFile{.content = content}; }

// A mirror of the folder E:/data, whose destination the cases place somewhere in or above it.
class NestedDestinationTest : public EngineTest {
  protected:
    NestedDestinationTest() {
        MakeFileDirJob();
        job.ForceMirror = 1;
        world.Write(job.Source, sources);
    }

    void MakeLink(const std::string& target, const std::string& link) {
        ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0) << link;
    }

    bool LogHasErrorLine() const { return DayFile().find("\tエラー\r\n") != std::string::npos; }

    const Tree sources = {{"a.txt", Text("a")}, {"sub", {{"b.txt", Text("b")}}}};
};

struct RefusedCase {
    const char* name;
    // Returns the destination to give the job; may make links and folders.
    std::function<std::string()> destination;
};

// The same folder, or one above the source, by path or through a link: the run ends before
// anything is copied or moved to the trash, with an error.
TEST_F(NestedDestinationTest, ADestinationThatIsOrHoldsTheSourceEndsTheRunUntouched) {
    const std::string data = job.Source;
    const std::string links = world.MakeFolder("links");
    const RefusedCase cases[] = {{"same folder", [&] { return data; }},
                                 {"same folder through a link",
                                  [&] {
                                      MakeLink(data, JoinPath(links, "same"));
                                      return JoinPath(links, "same");
                                  }},
                                 {"parent of the source", [&] { return sourceRoot; }},
                                 {"parent through a link", [&] {
                                      MakeLink(sourceRoot, JoinPath(links, "parent"));
                                      return JoinPath(links, "parent/");
                                  }}};
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        outcome.HadError = 0;
        job.Destination = c.destination();
        const Tree before = world.Read(sourceRoot);

        Run();

        EXPECT_EQ(world.Read(sourceRoot), before);
        EXPECT_EQ(world.Read(world.TrashFiles()), Tree{});
        EXPECT_EQ(outcome.HadError, 1);
        EXPECT_TRUE(LogHasErrorLine()) << DayFile();
    }
}

TEST_F(NestedDestinationTest, ADestinationAboveTheSourceThroughABindMountEndsTheRun) {
    const std::string alias = world.MakeFolder("alias");
    ScopedMount bind = ScopedMount::Bind(sourceRoot, alias);
    if (!bind.mounted()) GTEST_SKIP() << MountRefusedMessage(bind);
    job.Destination = alias;
    const Tree before = world.Read(sourceRoot);

    Run();

    EXPECT_EQ(world.Read(sourceRoot), before);
    EXPECT_EQ(world.Read(world.TrashFiles()), Tree{});
    EXPECT_EQ(outcome.HadError, 1);
}

// Two runs into a folder inside the source: the second run passes over the first one's copies
// instead of copying them into themselves, and deletes nothing of the source.
TEST_F(NestedDestinationTest, ADestinationInsideTheSourceIsPassedOverByTheWalkAndTheDeletion) {
    const std::string links = world.MakeFolder("links");
    MakeLink(job.Source, JoinPath(links, "data"));
    struct Way {
        std::string destination;
        std::string topFolder;  // the folder of the source that the copies go into
    };
    const Way ways[] = {{JoinPath(job.Source, "bk"), "bk"},
                        {JoinPath(links, "data/bk2/deeper"), "bk2"}};
    for (const Way& way : ways) {
        SCOPED_TRACE(way.destination);
        job.Destination = way.destination;
        Run();
        Run();
        EXPECT_EQ(world.Read(job.Destination), sources);
        std::filesystem::remove_all(JoinPath(job.Source, way.topFolder));
    }
    EXPECT_EQ(world.Read(world.TrashFiles()), Tree{});
}

TEST_F(NestedDestinationTest, ADestinationInsideTheSourceThroughABindMountIsPassedOver) {
    const std::string alias = world.MakeFolder("alias");
    ScopedMount bind = ScopedMount::Bind(job.Source, alias);
    if (!bind.mounted()) GTEST_SKIP() << MountRefusedMessage(bind);
    job.Destination = JoinPath(alias, "bk");

    Run();
    Run();

    EXPECT_EQ(world.Read(JoinPath(job.Source, "bk")), sources);
    EXPECT_EQ(world.Read(world.TrashFiles()), Tree{});
}

}  // namespace
}  // namespace tv::test
