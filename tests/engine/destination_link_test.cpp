#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"

namespace tv::test {
namespace {

bool IsLink(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// Tells the test when a file's copy is about to start: after the listing, before the open.
class CopyStartWatch : public RecordingSink {
  public:
    void SetLines(const std::optional<std::string>& first,
                  const std::optional<std::string>& second) override {
        RecordingSink::SetLines(first, second);
        if (first && second && onCopyStart) onCopyStart(*first);
    }
    std::function<void(const std::string& source)> onCopyStart;
};

class DestinationLinkTest : public EngineTest {
  protected:
    DestinationLinkTest() {
        MakeFileDirJob();
        targets.window = &watch;
        outside = world.MakeFolder("outside");
        world.Write(outside, outsideTree);
    }

    bool LoggedError() const { return DayFile().find("\tエラー\r\n") != std::string::npos; }

    CopyStartWatch watch;
    std::string outside;
    const Tree outsideTree = {
        {"x.txt", TreeFile{.content = "outside", .mtime = kNow - 600}},
        {"ro.txt",
         TreeFile{.content = "outside read-only", .mtime = kNow - 600, .attrs = kAttrReadOnly}}};
};

TEST_F(DestinationLinkTest, ALinkInTheDestinationIsNeverWrittenThrough) {
    const struct {
        const char* name;
        const char* link;    // the link in the destination, relative to it
        const char* target;  // what it points at, relative to the outside folder
    } cases[] = {
        {"folder", "sub", ""},
        {"file", "x.txt", "x.txt"},
        {"read-only file", "ro.txt", "ro.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string link = Copy(c.link);
        world.Write(destination, {});
        std::remove(link.c_str());
        ASSERT_EQ(symlink(JoinPath(outside, c.target).c_str(), link.c_str()), 0);
        world.Write(Path("data"), {{"x.txt", TreeFile{.content = "source"}},
                                   {"ro.txt", TreeFile{.content = "source"}},
                                   {"sub", {{"x.txt", TreeFile{.content = "source"}}}}});
        outcome.HadError = 0;

        Run();

        EXPECT_EQ(world.Read(outside), outsideTree);
        EXPECT_EQ(ModeOf(JoinPath(outside, "x.txt")), 0644u);
        EXPECT_TRUE(IsLink(link));
        EXPECT_EQ(outcome.HadError, 1);
        EXPECT_TRUE(LoggedError());
        std::remove(link.c_str());
    }
}

TEST_F(DestinationLinkTest, ASourceThatBecameALinkAfterTheListingIsNotCopied) {
    world.Write(Path("data"), {{"a.txt", TreeFile{.content = "listed"}}});
    watch.onCopyStart = [&](const std::string& source) {
        std::remove(source.c_str());
        ASSERT_EQ(symlink(JoinPath(outside, "x.txt").c_str(), source.c_str()), 0);
    };

    Run();

    EXPECT_NE(FileBytes(Copy("a.txt")), "outside");
    EXPECT_EQ(outcome.HadError, 1);
    EXPECT_TRUE(LoggedError());
}

}  // namespace
}  // namespace tv::test
