#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"

namespace tv::test {
namespace {

struct stat StatOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return st;
}

class CopyMetadataTest : public EngineTest {
  protected:
    CopyMetadataTest() { MakeFileDirJob(); }
    std::string Source(const std::string& name) const { return Path("data/" + name); }
};

TEST_F(CopyMetadataTest, ACopyKeepsItsSourcesPermissionBits) {
    const mode_t modes[] = {0600, 0640, 0644, 0700, 0755, 0711, 0444, 0555, 0400};
    for (const bool replaces : {false, true}) {
        SCOPED_TRACE(replaces ? "replacing an earlier copy" : "new copy");
        for (const mode_t mode : modes) {
            const std::string name = "m" + std::to_string(mode) + ".txt";
            world.Write(Path("data"), {{name, TreeFile{.content = "secret", .mtime = kNow}}});
            ASSERT_EQ(chmod(Source(name).c_str(), mode), 0);
            if (replaces) {
                world.Write(destination, {{name, TreeFile{.content = "old", .mtime = kNow - 60}}});
                chmod(Copy(name).c_str(), 0666);
            }
        }

        Run();

        for (const mode_t mode : modes) {
            const std::string name = "m" + std::to_string(mode) + ".txt";
            EXPECT_EQ(StatOf(Copy(name)).st_mode & 07777, mode) << name;
            EXPECT_EQ(FileBytes(Copy(name)), "secret") << name;
        }
        if (!replaces) {
            // Make the copies writable again so the next round can replace them.
            for (const mode_t mode : modes) {
                chmod(Copy("m" + std::to_string(mode) + ".txt").c_str(), 0644);
                chmod(Source("m" + std::to_string(mode) + ".txt").c_str(), 0644);
            }
        }
    }
}

TEST_F(CopyMetadataTest, ACopyMadeByRootKeepsItsSourcesOwnerAndGroup) {
    if (geteuid() != 0) GTEST_SKIP() << "only root can give a file to another owner";
    world.Write(Path("data"), {{"new.txt", TreeFile{.content = "n"}},
                               {"replaced.txt", TreeFile{.content = "r"}}});
    world.Write(destination, {{"replaced.txt", TreeFile{.content = "old", .mtime = kNow - 60}}});
    for (const char* name : {"new.txt", "replaced.txt"}) {
        ASSERT_EQ(chown(Source(name).c_str(), 4321, 8765), 0);
    }

    Run();

    for (const char* name : {"new.txt", "replaced.txt"}) {
        const struct stat st = StatOf(Copy(name));
        EXPECT_EQ(st.st_uid, 4321u) << name;
        EXPECT_EQ(st.st_gid, 8765u) << name;
    }
}

TEST_F(CopyMetadataTest, NewFoldersTakeTheirSourceFoldersPermissionsAndOwner) {
    world.Write(Path("data"), {{"private", {{"deep", {{"f.txt", TreeFile{.content = "x"}}}}}},
                               {"shared", {{"g.txt", TreeFile{.content = "y"}}}}});
    ASSERT_EQ(chmod(Source("private").c_str(), 0700), 0);
    ASSERT_EQ(chmod(Source("private/deep").c_str(), 0750), 0);
    ASSERT_EQ(chmod(Source("shared").c_str(), 0775), 0);
    // A source folder its owner may not write into still gets a copy the run can fill.
    world.Write(Path("data"), {{"sealed", {{"h.txt", TreeFile{.content = "z"}}}}});
    ASSERT_EQ(chmod(Source("sealed").c_str(), 0555), 0);
    const bool asRoot = geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(chown(Source("private/deep").c_str(), 4321, 8765), 0);
    }

    Run();

    EXPECT_EQ(StatOf(Copy("private")).st_mode & 07777, 0700u);
    EXPECT_EQ(StatOf(Copy("private/deep")).st_mode & 07777, 0750u);
    EXPECT_EQ(StatOf(Copy("shared")).st_mode & 07777, 0775u);
    EXPECT_EQ(StatOf(Copy("sealed")).st_mode & 07777, 0755u);
    EXPECT_EQ(FileBytes(Copy("private/deep/f.txt")), "x");
    EXPECT_EQ(FileBytes(Copy("sealed/h.txt")), "z");
    if (asRoot) {
        EXPECT_EQ(StatOf(Copy("private/deep")).st_uid, 4321u);
        EXPECT_EQ(StatOf(Copy("private/deep")).st_gid, 8765u);
    }
    chmod(Source("sealed").c_str(), 0755);
}

// What happened to the entries of one folder, in order.
struct FolderEvent {
    uint32_t mask;
    std::string name;
};

std::vector<FolderEvent> EventsOf(int inotifyFd) {
    std::vector<FolderEvent> events;
    alignas(struct inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = read(inotifyFd, buffer, sizeof buffer);
        if (n <= 0) break;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const struct inotify_event*>(buffer + at);
            events.push_back({event->mask, event->len ? event->name : ""});
            at += static_cast<ssize_t>(sizeof(struct inotify_event) + event->len);
        }
    }
    return events;
}

TEST_F(CopyMetadataTest, AReplacingCopyHasItsFinalTimesAndAttributesBeforeItTakesTheName) {
    // A crash may come at any moment after the rename: nothing may be left to do on the copy
    // by then, or it would keep a time of its own that a later source is judged against.
    const struct {
        const char* name;
        uint32_t sourceAttrs;
        uint32_t oldCopyAttrs;
    } cases[] = {
        {"writable", 0, 0},
        {"read-only source", kAttrReadOnly, 0},
        {"read-only earlier copy", 0, kAttrReadOnly},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = std::string(c.name) + ".txt";
        world.Write(
            Path("data"),
            {{name, TreeFile{.content = "new", .mtime = kNow - 10, .attrs = c.sourceAttrs}}});
        world.Write(
            destination,
            {{name, TreeFile{.content = "old", .mtime = kNow - 600, .attrs = c.oldCopyAttrs}}});
        const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_GE(inotify_add_watch(fd, destination.c_str(), IN_ATTRIB | IN_MODIFY | IN_MOVED_TO),
                  0);

        Run();

        const std::vector<FolderEvent> events = EventsOf(fd);
        close(fd);
        size_t renamed = events.size();
        for (size_t i = 0; i < events.size(); ++i) {
            if ((events[i].mask & IN_MOVED_TO) && events[i].name == name) renamed = i;
        }
        ASSERT_LT(renamed, events.size()) << "the copy never took its name";
        for (size_t i = renamed + 1; i < events.size(); ++i) {
            EXPECT_NE(events[i].name, name) << "changed after the rename, mask " << events[i].mask;
        }
        EXPECT_EQ(
            (Tree{{name, world.Read(destination).at(name)}}),
            (Tree{{name, TreeFile{.content = "new", .mtime = kNow - 10, .attrs = c.sourceAttrs}}}));
    }
}

TEST_F(CopyMetadataTest, AReadOnlyCopyThatCannotTakeItsPlaceLeavesNoTemporaryFile) {
    // The copy is read-only by the time of the rename; a folder in its place refuses it.
    world.Write(Path("data"),
                {{"x.txt", TreeFile{.content = "x", .mtime = kNow + 60, .attrs = kAttrReadOnly}}});
    world.Write(destination, {{"x.txt", Tree{}}});
    ASSERT_TRUE(SetFileTimes(Copy("x.txt"), FileTime{kNow - 60, 0}, FileTime{kNow - 60, 0}));

    Run();

    EXPECT_EQ(world.Read(destination), (Tree{{"x.txt", Tree{}}}));
    EXPECT_EQ(outcome.HadError, 1);
}

}  // namespace
}  // namespace tv::test
