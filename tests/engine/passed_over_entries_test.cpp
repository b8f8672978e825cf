// Nothing is passed over in silence: every entry a run does not back up has its log line, an
// entry that could not be read is an error of the run, and links are kept as links.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>

#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/scoped_mount.h"
#include "tests/support/without_access_override.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content) { return TreeFile{.content = content}; }

std::string LinkTarget(const std::string& path) {
    std::string target;
    EXPECT_TRUE(ReadLinkTarget(path, &target)) << path << " is no link";
    return target;
}

// A unix socket left in the folder, as a program that is not running leaves it.
void MakeSocket(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
    close(fd);
}

class PassedOverEntriesTest : public EngineTest {
  protected:
    PassedOverEntriesTest() {
        MakeFileDirJob();
        world.Write(job.Source, {{"a.txt", Text("a")}});
    }

    std::string Source(const std::string& name) const { return JoinPath(job.Source, name); }
    // The line of one step, as the day file holds it.
    std::string Line(const char* action, const std::string& name, const char* result) const {
        return "2005/07/01\t" + RunFields() + action + "\t" + AfterLastSeparator(name) + "\t" +
               Source(name) + "\t" + Copy(name) + "\t09:30:00\t" + result + "\r\n";
    }
    bool Logged(const std::string& line) const { return DayFile().find(line) != std::string::npos; }
};

TEST_F(PassedOverEntriesTest, KindsTheBackupDoesNotHoldAreSkippedWithALine) {
    ASSERT_EQ(mkfifo(Source("pipe").c_str(), 0644), 0);
    MakeSocket(Source("sock"));
    const bool asRoot = geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(mknod(Source("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    world.Write(job.Source, {{".tvpart-00000000000000ff", Text("someone's half copy")}});

    Run();

    EXPECT_EQ(world.Read(destination), (Tree{{"a.txt", Text("a")}}));
    EXPECT_EQ(outcome.HadError, 0);
    EXPECT_TRUE(Logged(Line("ファイル作成", "pipe", "スキップ"))) << DayFile();
    EXPECT_TRUE(Logged(Line("ファイル作成", "sock", "スキップ")));
    EXPECT_TRUE(Logged(Line("ファイル作成", ".tvpart-00000000000000ff", "スキップ")));
    if (asRoot) {
        EXPECT_TRUE(Logged(Line("ファイル作成", "null", "スキップ")));
    }
}

TEST_F(PassedOverEntriesTest, AFolderThatCannotBeReadIsAnErrorAndTheRestIsCopied) {
    world.Write(job.Source, {{"locked", {{"secret.txt", Text("s")}}}, {"z.txt", Text("z")}});
    ASSERT_EQ(chmod(Source("locked").c_str(), 0), 0);
    {
        const WithoutAccessOverride likeAUser;
        Run();
    }
    chmod(Source("locked").c_str(), 0755);

    EXPECT_EQ(outcome.HadError, 1);
    EXPECT_TRUE(Logged(Line("フォルダ作成", "locked", "エラー"))) << DayFile();
    EXPECT_EQ(world.Read(destination), (Tree{{"a.txt", Text("a")}, {"z.txt", Text("z")}}));
}

// The chosen folder is there but cannot be read: the run lists nothing, and says why.
TEST_F(PassedOverEntriesTest, ASourceFolderThatCannotBeReadIsAnError) {
    ASSERT_EQ(chmod(job.Source.c_str(), 0), 0);
    {
        const WithoutAccessOverride likeAUser;
        Run();
    }
    chmod(job.Source.c_str(), 0755);

    EXPECT_EQ(outcome.HadError, 1);
    EXPECT_NE(DayFile().find("\tフォルダ作成\tdata\t" + job.Source + "\t"), std::string::npos)
        << DayFile();
    EXPECT_NE(DayFile().find("\tエラー\r\n"), std::string::npos);
    EXPECT_EQ(world.Read(destination), Tree{});
}

TEST_F(PassedOverEntriesTest, APathTooLongForTheSystemIsAnError) {
    // The source paths fit; their copies, in a longer destination, would not from some level on.
    job.Destination = destination = JoinPath(world.root('D'), std::string(200, 'd'));
    std::string deep;
    std::string firstTooLong;
    const std::string level(250, 'x');
    while (Source(deep).size() + level.size() + 8 < kMaxPathLength) {
        deep = deep.empty() ? level : JoinPath(deep, level);
        ASSERT_EQ(mkdir(Source(deep).c_str(), 0755), 0);
        if (firstTooLong.empty() && Copy(deep).size() > kMaxPathLength) firstTooLong = deep;
    }
    PutFileBytes(Source(JoinPath(deep, "f.txt")), "f");
    ASSERT_FALSE(firstTooLong.empty());

    Run();

    EXPECT_EQ(outcome.HadError, 1);
    EXPECT_TRUE(Logged(Line("フォルダ作成", firstTooLong, "エラー"))) << DayFile();
    EXPECT_EQ(FileBytes(Copy("a.txt")), "a");
}

TEST_F(PassedOverEntriesTest, LinksAreCopiedAsLinksNeverFollowed) {
    const std::string outside = world.MakeFolder("outside");
    world.Write(outside, {{"private.txt", Text("never copied")}});
    world.Write(job.Source, {{"sub", {{"b.txt", Text("b")}}}});
    ASSERT_EQ(symlink("a.txt", Source("to-file").c_str()), 0);
    ASSERT_EQ(symlink("sub", Source("to-folder").c_str()), 0);
    ASSERT_EQ(symlink(outside.c_str(), Source("to-outside").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", Source("dangling").c_str()), 0);

    Run();

    EXPECT_EQ(outcome.HadError, 0);
    EXPECT_EQ(LinkTarget(Copy("to-file")), "a.txt");
    EXPECT_EQ(LinkTarget(Copy("to-folder")), "sub");
    EXPECT_EQ(LinkTarget(Copy("to-outside")), outside);
    EXPECT_EQ(LinkTarget(Copy("dangling")), "nowhere");
    EXPECT_TRUE(Logged(Line("ファイル作成", "to-outside", "ＯＫ")));
    EXPECT_FALSE(PathExists(Copy("sub/b.txt/private.txt")));

    // An unchanged link is left as it is; a link pointed elsewhere replaces its copy; a link
    // the source lost goes to the trash in a mirror run.
    const std::string before = DayFile();
    ASSERT_EQ(unlink(Source("to-file").c_str()), 0);
    ASSERT_EQ(symlink("sub/b.txt", Source("to-file").c_str()), 0);
    ASSERT_EQ(unlink(Source("dangling").c_str()), 0);
    job.ForceMirror = 1;
    Run();

    EXPECT_EQ(LinkTarget(Copy("to-file")), "sub/b.txt");
    FileIdentity gone;
    EXPECT_FALSE(GetEntryIdentity(Copy("dangling"), &gone));
    const std::string added = DayFile().substr(before.size());
    EXPECT_EQ(added.find("to-folder"), std::string::npos) << added;
    EXPECT_NE(added.find("ゴミ箱に移動"), std::string::npos) << added;
}

TEST_F(PassedOverEntriesTest, AFolderWalkEntersMountsBelowItAndADriveWalkDoesNot) {
    if (geteuid() != 0) GTEST_SKIP() << "only root can bind-mount a folder";
    const std::string elsewhere = world.MakeFolder("elsewhere");
    world.Write(elsewhere, {{"m.txt", Text("m")}});
    world.Write(job.Source, {{"mounted", Tree{}}});
    const ScopedMount mount = ScopedMount::Bind(elsewhere, Source("mounted"));
    ASSERT_TRUE(mount.mounted()) << MountRefusedMessage(mount);

    Run();
    EXPECT_EQ(FileBytes(Copy("mounted/m.txt")), "m");

    job.Kind = Removable;
    job.Source = sourceRoot;
    destination = job.Destination = JoinPath(world.root('D'), "drive");
    const std::string before = DayFile();
    Run();
    EXPECT_EQ(FileBytes(Copy("data/a.txt")), "a");
    EXPECT_FALSE(PathExists(Copy("data/mounted/m.txt")));
    EXPECT_EQ(DayFile().substr(before.size()).find("mounted"), std::string::npos);
}

}  // namespace
}  // namespace tv::test
